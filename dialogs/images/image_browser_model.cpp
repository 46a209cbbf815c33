// The image browser's navigation rules.
#include "dialogs/images/image_browser_model.h"

namespace {

int PerPage(const ImageBrowserModel& model) { return model.paging.gridSize * model.paging.gridSize; }

// The current index follows the hovered cell of the page.
void FollowHover(ImageBrowserModel& model)
{
    int index = (model.paging.page - 1) * PerPage(model) + (model.hover < 0 ? 0 : model.hover);
    if (index >= model.count) index = model.count - 1;
    model.current = index;
}

int ChangePage(ImageBrowserModel& model, int page)
{
    if (page > model.paging.pageCount) page = model.paging.pageCount;
    if (page < 1) page = 1;
    if (page == model.paging.page) return kBrowserNothing;
    model.paging.page = page;
    model.hover = -1;
    return kBrowserPageChanged | kBrowserRepaint;
}

// The page that holds the current image (single view keeps the grid behind it in step).
void PageOfCurrent(ImageBrowserModel& model)
{
    if (model.current >= 0) model.paging.page = model.current / PerPage(model) + 1;
}

int GridKey(ImageBrowserModel& model, WPARAM key)
{
    int n = model.paging.gridSize;
    int base = (model.paging.page - 1) * n * n;
    switch (key) {
    case VK_RIGHT:
        if (model.hover < 0) {
            model.current = base;
            model.hover = 0;
            return kBrowserRepaint;
        }
        if (base + model.hover < model.count - 1 && model.hover + 1 < n * n) model.hover++;
        break;
    case VK_LEFT:
        if (model.hover > 0) model.hover--;
        break;
    case VK_DOWN:
        if (model.hover < n * (n - 1) && base + model.hover < model.count - n) model.hover += n;
        break;
    case VK_UP:
        if (model.hover > n - 1) model.hover -= n;
        break;
    case VK_RETURN:
        if (model.hover < 0 || base + model.hover >= model.count) return kBrowserClose;
        return OpenBrowserImage(model, base + model.hover);
    case VK_ESCAPE:
    case VK_SPACE:
        return kBrowserClose;
    default: return kBrowserNothing;
    }
    if (model.hover >= 0) model.current = base + model.hover;
    return kBrowserRepaint;
}

int SingleKey(ImageBrowserModel& model, WPARAM key)
{
    switch (key) {
    case VK_RIGHT:
    case VK_SPACE: return NextBrowserImage(model);
    case VK_LEFT: return PrevBrowserImage(model);
    case VK_DOWN:
        if (!model.scrollable) return kBrowserNothing;
        model.scrollStep++;
        return kBrowserRepaint;
    case VK_UP:
        if (!model.scrollable || model.scrollStep <= 0) return kBrowserNothing;
        model.scrollStep--;
        return kBrowserRepaint;
    case VK_RETURN: return LeaveSingleView(model);
    case VK_ESCAPE:
        model.hover = -1;
        return LeaveSingleView(model);
    default: return kBrowserNothing;
    }
}

}  // namespace

void ResetImageBrowser(ImageBrowserModel& model, int count)
{
    model.count = count < 0 ? 0 : count;
    model.paging.page = 1;
    UpdateImagePaging(model.paging, model.count);
    model.hover = -1;
    model.current = -1;
    model.single = 0;
    model.scrollable = 0;
    model.scrollStep = 0;
}

int GoToBrowserPage(ImageBrowserModel& model, int page) { return ChangePage(model, page); }

int SetBrowserGridSize(ImageBrowserModel& model, int gridSize)
{
    model.paging.gridSize = gridSize;
    model.paging.page = 1;
    model.hover = -1;
    UpdateImagePaging(model.paging, model.count);
    return kBrowserPageChanged | kBrowserRepaint;
}

int OpenBrowserImage(ImageBrowserModel& model, int index)
{
    if (index < 0 || index >= model.count) return kBrowserNothing;
    model.current = index;
    model.single = 1;
    model.scrollStep = 0;
    return kBrowserLoadImage | kBrowserLookUpNote | kBrowserRepaint;
}

int LeaveSingleView(ImageBrowserModel& model)
{
    int effects = kBrowserRepaint;
    if (model.slideshow) {
        model.slideshow = 0;
        effects |= kBrowserStopSlideshow;
    }
    model.single = 0;
    model.scrollable = 0;
    model.scrollStep = 0;
    int page = model.paging.page;
    PageOfCurrent(model);
    if (model.paging.page != page) effects |= kBrowserPageChanged;
    return effects;
}

int NextBrowserImage(ImageBrowserModel& model)
{
    if (model.current >= model.count - 1) return kBrowserNothing;
    return OpenBrowserImage(model, model.current + 1);
}

int PrevBrowserImage(ImageBrowserModel& model)
{
    if (model.current < 1) return kBrowserNothing;
    return OpenBrowserImage(model, model.current - 1);
}

int StepSlideshow(ImageBrowserModel& model, int shift)
{
    // S on an empty list has no image to start at.
    if (model.count <= 0) return kBrowserNothing;
    int effects = kBrowserRepaint | kBrowserStartSlideshow;
    if (model.slideshow) {
        model.slideshowMs += shift ? -kSlideshowStepMs : kSlideshowStepMs;
    } else {
        model.slideshow = 1;
        if (!model.single) FollowHover(model);
        if (model.current < 0) model.current = 0;
        effects |= OpenBrowserImage(model, model.current);
    }
    if (model.slideshowMs < kSlideshowMinMs) model.slideshowMs = kSlideshowMinMs;
    return effects;
}

int SlideshowTick(ImageBrowserModel& model)
{
    if (!model.slideshow || model.count <= 0) return kBrowserNothing;
    int next = model.current + 1;
    if (next >= model.count) next = 0;
    return OpenBrowserImage(model, next);
}

int ImageBrowserKey(ImageBrowserModel& model, WPARAM key, const BrowserKeyState& keys)
{
    if (key == VK_SHIFT || key == VK_CONTROL) return kBrowserNothing;
    if (key == 'Q') return kBrowserClose;
    if ((key == 'S' && !keys.ctrl) || (key == '1' && keys.ctrl)) return StepSlideshow(model, keys.shift);
    int effects = kBrowserNothing;
    if (model.slideshow && key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN &&
        key != VK_SPACE) {
        model.slideshow = 0;
        effects |= kBrowserStopSlideshow;
    }
    if (keys.ctrl && key >= '3' && key <= '6') return effects | SetBrowserGridSize(model, (int)(key - '0'));
    if (key == 'A' || (keys.ctrl && key == '2')) return effects | kBrowserToggleList | kBrowserRepaint;
    if (!keys.ctrl && key >= '0' && key <= '9') {
        int jump = key == '0' ? 10 : (int)(key - '0');
        return effects | ChangePage(model, model.paging.page + (keys.shift ? -jump : jump));
    }
    if (key == VK_NEXT && !model.single) return effects | ChangePage(model, model.paging.page + 1);
    if (key == VK_PRIOR && !model.single) return effects | ChangePage(model, model.paging.page - 1);
    if (key == VK_HOME || key == VK_END) {
        if (model.count <= 0) return effects;
        int index = key == VK_HOME ? 0 : model.count - 1;
        int page = key == VK_HOME ? 1 : model.paging.pageCount;
        int changed = page != model.paging.page;
        model.paging.page = page;
        model.current = index;
        model.hover = index - (page - 1) * PerPage(model);
        effects |= kBrowserRepaint | (changed ? kBrowserPageChanged : 0);
        if (model.single) effects |= OpenBrowserImage(model, index);
        return effects;
    }
    return effects | (model.single ? SingleKey(model, key) : GridKey(model, key));
}

int ImageBrowserWheel(ImageBrowserModel& model, int direction, int shift)
{
    if (model.single && model.scrollable && shift) {
        if (direction < 0 && model.scrollStep > 0) model.scrollStep--;
        if (direction > 0) model.scrollStep++;
        return kBrowserRepaint;
    }
    if (model.single) return (direction < 0 ? PrevBrowserImage(model) : NextBrowserImage(model)) | kBrowserRepaint;
    return ChangePage(model, model.paging.page + (direction < 0 ? -1 : 1)) | kBrowserRepaint;
}

FittedImage FitBrowserImage(const RECT& frame, int width, int height, int scrollStep)
{
    FittedImage fit;
    int fw = frame.right - frame.left - 2 * kFittedImageMargin;
    int fh = frame.bottom - frame.top - 2 * kFittedImageMargin;
    if (width <= 0 || height <= 0 || fw <= 0 || fh <= 0) return fit;
    fit.source = {0, 0, width, height};
    int w, h;
    if (width <= fw && height <= fh) {
        w = width;  // small pictures at their own size
        h = height;
    } else if (height < width) {
        w = fw;
        h = (int)((int64_t)fw * height / width);
        if (h > fh) {
            h = fh;
            w = (int)((int64_t)fh * width / height);
        }
    } else {
        h = fh;
        w = (int)((int64_t)fh * width / height);
        if (w > fw) {
            w = fw;
            h = (int)((int64_t)fw * height / width);
        }
    }
    if (height >= 2 * width && fw > 2 * w) {
        // Tall: the frame's width (not wider than the picture), rows by the step.
        w = width < fw ? width : fw;
        h = fh;
        int rows = (int)((int64_t)width * fh / w);
        if (rows > height) rows = height;
        int stepRows = rows / 2 > 0 ? rows / 2 : 1;
        int maxStep = (height - rows + stepRows - 1) / stepRows;
        if (scrollStep > maxStep) scrollStep = maxStep;
        if (scrollStep < 0) scrollStep = 0;
        int top = scrollStep * stepRows;
        if (top > height - rows) top = height - rows;
        fit.source = {0, top, width, top + rows};
        fit.scrollable = 1;
        fit.scrollStep = scrollStep;
    }
    fit.dest.left = frame.left + (frame.right - frame.left - w) / 2;
    fit.dest.top = frame.top + (frame.bottom - frame.top - h) / 2;
    fit.dest.right = fit.dest.left + w;
    fit.dest.bottom = fit.dest.top + h;
    return fit;
}

RECT EnlargedHoverRect(const RECT& picture, const RECT& client)
{
    int w = (picture.right - picture.left) * 3 / 2, h = (picture.bottom - picture.top) * 3 / 2;
    while (w > 0 && h > 0 && w < kHoverMinSide && h < kHoverMinSide) {
        w = w * 5 / 4 + 1;
        h = h * 5 / 4 + 1;
    }
    const int side = 20, bottomGap = 90;
    int maxW = client.right - client.left - 2 * side, maxH = client.bottom - client.top - side - bottomGap;
    if (w > maxW && maxW > 0) {
        h = (int)((int64_t)h * maxW / w);
        w = maxW;
    }
    if (h > maxH && maxH > 0) {
        w = (int)((int64_t)w * maxH / h);
        h = maxH;
    }
    int left = (picture.left + picture.right) / 2 - w / 2, top = (picture.top + picture.bottom) / 2 - h / 2;
    if (left + w > client.right - side) left = client.right - side - w;
    if (top + h > client.bottom - bottomGap) top = client.bottom - bottomGap - h;
    if (left < client.left + side) left = client.left + side;
    if (top < client.top + side) top = client.top + side;
    RECT r = {left, top, left + w, top + h};
    return r;
}
