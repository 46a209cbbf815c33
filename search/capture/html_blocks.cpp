// The block rule of the web page cleaner.
#include "search/capture/html_blocks.h"
#include <math.h>
#include <vector>

namespace {

struct Block {
    size_t start, end;
    size_t segment;  // the number of block breaks before it
    int32_t text, length, lines, links, refs, marks;
    bool heading, headingOnly;
    bool a, b;
};

enum {
    kSizeLimit = 200,
    kLooseSizeLimit = 10,
    kCrowdedSizeLimit = 500,
    kLinkLimitPercent = 20,
    kLooseLinkLimitPercent = 10,
    kHeadingKeepText = 150,
    kPasses = 4,
};

bool StartsWithHttp(const WebText& text, size_t at) { return StartsWithNoCase(text, at, "http"); }

std::vector<Block> MeasureBlocks(const WebText& t, int32_t threshold)
{
    std::vector<Block> blocks;
    size_t start = 0;
    for (size_t segment = 0; start < t.size() && blocks.size() < kMaxBlocks; segment++) {
        size_t end = t.find(kMarkBlock, start);
        if (end == WebText::npos) end = t.size();
        Block b{start, end, segment, 0, 0, 0, 0, 0, 0, false, false, false, false};
        bool inHref = false, inLabel = false;
        for (size_t i = start; i < end; i++) {
            char16_t c = t[i];
            if (c == kMarkLink) {
                b.marks++;
                if (!inHref && StartsWithHttp(t, i + 1)) b.links++;
                inHref = !inHref;
                if (!inHref) inLabel = true;
                continue;
            }
            if (c == kMarkDrop) {
                b.marks++;
                continue;
            }
            if (inHref) {
                b.refs++;
                continue;
            }
            if (c == '[') {
                b.links++;
                continue;
            }
            if (c == ']') inLabel = false;
            if (inLabel) b.refs++;
            if (c == '\r') b.lines++;
            if (c == 0xB1 && i > start && t[i - 1] == '#') b.heading = true;
            if (c > kMarkLink) b.text++;
        }
        if (b.text > threshold || b.heading) {
            b.headingOnly = b.heading && b.text <= threshold;
            b.length = b.text + b.links + b.refs + b.marks;
            if (b.text < 1) b.text = 1;
            if (b.lines < 1) b.lines = 1;
            if (b.links < 1) b.links = 1;
            if (b.refs < 1) b.refs = 1;
            if (b.marks < 1) b.marks = 1;
            b.a = b.length / b.text < 5;
            b.b = int64_t(b.text) * 100 / b.refs > 50;
            blocks.push_back(b);
        }
        start = end + 1;
    }
    return blocks;
}

void AppendSpan(WebText& out, const WebText& t, size_t start, size_t end)
{
    for (size_t i = start; i < end; i++)
        if (t[i] != kMarkDrop && t[i] != kMarkBlock) out.push_back(t[i]);
    out += u"\r\n";
}

void AppendBlock(WebText& out, const WebText& t, const Block& b) { AppendSpan(out, t, b.start, b.end); }

// The main block with the rest of the container that holds it: the article
// whose sections (each under its heading) the block breaks have parted. The
// block alone when no container ends around it.
void AppendMainContainer(WebText& out, const WebText& t, const std::vector<int32_t>& depths, const Block& main)
{
    std::vector<size_t> breaks;
    for (size_t i = 0; i < t.size(); i++)
        if (t[i] == kMarkBlock) breaks.push_back(i);
    if (breaks.size() != depths.size() || main.segment > breaks.size()) {
        AppendBlock(out, t, main);
        return;
    }
    auto depth = [&](size_t segment) { return segment == 0 ? 0 : depths[segment - 1]; };
    int32_t inside = depth(main.segment);
    size_t first = main.segment, last = main.segment;
    while (first > 0 && depth(first - 1) >= inside) first--;
    while (last < breaks.size() && depth(last + 1) >= inside) last++;
    if (first == 0 && last == breaks.size()) {
        AppendBlock(out, t, main);
        return;
    }
    AppendSpan(out, t, first == 0 ? 0 : breaks[first - 1] + 1, last == breaks.size() ? t.size() : breaks[last]);
}

}  // namespace

WebText KeepTextBlocks(const WebText& t, const std::vector<int32_t>& breakDepths, PageKind kind, bool loose)
{
    std::vector<Block> blocks = MeasureBlocks(t, loose ? kLooseBlockThreshold : kBlockThreshold);
    int32_t blockCount = 0;
    for (const Block& b : blocks) blockCount += b.headingOnly ? 0 : 1;

    // The main block: the densest text, and the runner-up's size beside it.
    int64_t bestScore = -1;
    double bestRatio = -1.0;
    int best = -1;
    int32_t runnerUp = 0;
    for (size_t i = 0; i < blocks.size(); i++) {
        const Block& b = blocks[i];
        int64_t density = (int64_t(b.text / 10) * (b.text / 10)) / 10;
        double ratio = b.text / (b.lines * 10.0);
        int64_t score = llround(double(density) * ratio * 0.1);
        bool c = b.text / b.links > 30;
        bool candidate = (score > bestScore && ratio * 2 > bestRatio && ratio < 20) ||
                         score / 10 > bestScore || density > 1500;
        if (!candidate) continue;
        int bestWeight = best < 0 ? 0 : int(blocks[best].a) + 2 * int(blocks[best].b);
        bool lacks = !b.a || !b.b || !c;
        if (lacks && int(b.a) + int(b.b) + int(c) <= bestWeight) {
            if (b.text > runnerUp) runnerUp = b.text;
            continue;
        }
        if (best >= 0) runnerUp = blocks[best].text;
        best = int(i);
        bestScore = score;
        bestRatio = ratio;
    }
    // The runner-up is the largest other block of text, candidate or not: an
    // article of several sections is never cut to its densest one.
    for (size_t i = 0; i < blocks.size(); i++)
        if (int(i) != best && !blocks[i].headingOnly && blocks[i].text > runnerUp) runnerUp = blocks[i].text;
    int32_t bestText = best >= 0 ? blocks[best].text : 0;
    int32_t sizeLimit = (loose || kind == kPageForum) ? kLooseSizeLimit : kSizeLimit;
    int32_t linkLimit = loose ? kLooseLinkLimitPercent : kLinkLimitPercent;
    bool mainOnly = (blockCount < 20 && bestText > 1000 && runnerUp * 2 < bestText) ||
                    (bestText > 2000 && runnerUp * 2 < bestText) ||
                    (blockCount < 30 && bestText > 1000 && runnerUp * 3 < bestText);
    if ((blockCount > 40 && bestText < runnerUp * 10) || (blockCount < 50 && runnerUp > 1000))
        mainOnly = false;
    if (blockCount < 50 && runnerUp > 1000) sizeLimit = kCrowdedSizeLimit;
    if (runnerUp == 0 && best >= 0) mainOnly = true;
    if (kind != kPageArticle || loose) mainOnly = false;
    if (loose) sizeLimit = kSizeLimit;

    WebText out;
    if (mainOnly) {
        AppendMainContainer(out, t, breakDepths, blocks[best >= 0 ? best : 0]);
        return out;
    }
    if (blocks.size() == 1) {
        AppendBlock(out, t, blocks[0]);
        return out;
    }
    for (int pass = 0; pass < kPasses && !blocks.empty(); pass++) {
        bool relaxed = pass > 0;
        bool keptText = false;
        out.clear();
        for (size_t i = 0; i < blocks.size(); i++) {
            const Block& b = blocks[i];
            if (b.headingOnly) {
                // A heading directly under another short one is a menu of headings; one
                // after a block of text opens the next section.
                const Block* before = i > 0 ? &blocks[i - 1] : nullptr;
                if (!before || !before->headingOnly || before->text >= kHeadingKeepText) AppendBlock(out, t, b);
                continue;
            }
            bool share =
                int64_t(b.text) * 100 / (b.length > 0 ? b.length : 1) > linkLimit && b.text > sizeLimit;
            if (!share) continue;
            bool textLike = b.a && b.b && b.text >= b.marks && b.text / b.links > 30;
            if (loose || relaxed || textLike) {
                AppendBlock(out, t, b);
                keptText = true;
            }
        }
        if (keptText) return out;
        sizeLimit = sizeLimit * 3 / 4;
        linkLimit = linkLimit * 3 / 4;
    }
    out.clear();
    for (const Block& b : blocks) AppendBlock(out, t, b);
    return out;
}

WebText KeepAllBlocks(const WebText& marked)
{
    WebText out;
    out.reserve(marked.size());
    for (char16_t c : marked)
        if (c != kMarkDrop && c != kMarkBlock) out.push_back(c);
    return out;
}
