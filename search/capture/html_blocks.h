// The block rule of the web page cleaner: the working text is cut at its
// block breaks, each block is weighed by its text, lines, links and mark-up,
// and either the main block alone or every block that reads like text (not
// menus, link lists or comment sections) is kept. Markers other than link
// targets are removed from the result.
#pragma once
#include "search/capture/web_text.h"
#include <vector>

enum PageKind {
    kPageArticle = 0,
    kPageHome = 1,   // a site's home page: several stories, no main block
    kPageForum = 2,  // a discussion site: short blocks count
};

enum {
    kMaxBlocks = 500,
    kBlockThreshold = 100,  // characters of text that make a block worth weighing
    kLooseBlockThreshold = 10,
};

// breakDepths: the containers open behind each block break (RunTagPass's);
// the main block is kept with the rest of the container that holds it.
WebText KeepTextBlocks(const WebText& marked, const std::vector<int32_t>& breakDepths, PageKind kind, bool loose);
// Every block in reading order, the markers other than link targets removed.
WebText KeepAllBlocks(const WebText& marked);
