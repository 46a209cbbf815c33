#include "ui/ribbon.h"
#include "drawing/ai_effects.h"
#include "ui/ai_control.h"
#include "ui/colours.h"

namespace {
const int kTabPadding = 24;
const int kGroupGap = 6;
const int kControlGap = 3;
}  // namespace

Ribbon::Ribbon()
    : owner_(0), displayMode_(ModeFull), currentTab_(0), tabCount_(0), controlCount_(0), hot_(0),
      pressedControl_(0)
{
    SetRect(&rect_, 0, 0, 800, kTabStripHeight + kGroupHeight);
    ZeroMemory(tabs_, sizeof(tabs_));
    ZeroMemory(controls_, sizeof(controls_));
}

void Ribbon::Attach(HWND owner, int left, int top, int width)
{
    owner_ = owner;
    rect_.left = left;
    rect_.top = top;
    rect_.right = left + width;
    for (int i = 0; i < controlCount_; i++) controls_[i].control->SetParent(owner);
    Layout();
}

void Ribbon::AddStandardTabs()
{
    AddTab(L"Home");
    AddTab(L"Options");
    AddTab(L"Help");
}

int Ribbon::AddTab(const WCHAR* name)
{
    if (tabCount_ >= kMaxTabs) return -1;
    Tab& tab = tabs_[tabCount_];
    CopyTextBounded(tab.name, 32, name ? name : L"");
    tab.groupCount = 0;
    tab.textWidth = -1;
    return tabCount_++;
}

int Ribbon::AddGroup(int tab, const WCHAR* caption)
{
    if (tab < 0 || tab >= tabCount_ || tabs_[tab].groupCount >= kMaxGroups) return -1;
    Group& group = tabs_[tab].groups[tabs_[tab].groupCount];
    CopyTextBounded(group.caption, 40, caption ? caption : L"");
    group.firstControl = controlCount_;
    return tabs_[tab].groupCount++;
}

int Ribbon::AddControl(int tab, int group, AIControl* control, const WCHAR* helpText)
{
    if (!control || controlCount_ >= kMaxControls) return -1;
    if (tab < 0 || tab >= tabCount_ || group < 0 || group >= tabs_[tab].groupCount) return -1;
    controls_[controlCount_].control = control;
    controls_[controlCount_].tab = tab;
    controls_[controlCount_].group = group;
    controls_[controlCount_].ready = 0;
    if (helpText) control->SetHelpText(helpText);
    if (owner_) control->SetParent(owner_);
    return controlCount_++;
}

AIControl* Ribbon::GetControl(int index) const
{
    return (index >= 0 && index < controlCount_) ? controls_[index].control : 0;
}

AIControl* Ribbon::FindControl(int commandId) const
{
    for (int i = 0; i < controlCount_; i++)
        if (controls_[i].control->GetId() == commandId) return controls_[i].control;
    return 0;
}

int Ribbon::CollectCommandIds(UINT* ids, int max) const
{
    int count = 0;
    for (int i = 0; i < controlCount_ && count < max; i++) ids[count++] = controls_[i].control->GetId();
    return count;
}

int Ribbon::SetControlEnabled(int commandId, int enabled)
{
    AIControl* control = FindControl(commandId);
    if (!control) return 0;
    if (control->IsEnabled() != (enabled ? 1 : 0)) control->Enable(enabled);
    return 1;
}

int Ribbon::SetControlPressed(int commandId, int pressed)
{
    AIControl* control = FindControl(commandId);
    if (!control) return 0;
    control->SetDrawStyle(pressed ? 1 : 0);
    return 1;
}

int Ribbon::SelectTab(int index)
{
    if (tabCount_ == 0) return 0;
    if (index == -2) index = (currentTab_ + 1) % tabCount_;
    else if (index == -1) index = (currentTab_ + tabCount_ - 1) % tabCount_;
    if (index < 0 || index >= tabCount_) return currentTab_;
    if (index != currentTab_) {
        currentTab_ = index;
        hot_ = 0;
        pressedControl_ = 0;
        Layout();
        Invalidate();
    }
    return currentTab_;
}

void Ribbon::SetDisplayMode(int mode)
{
    if (mode < ModeFull || mode > ModeHidden) mode = ModeFull;
    displayMode_ = mode;
    Layout();
    Invalidate();
}

RECT Ribbon::GetRect() const
{
    RECT rect = rect_;
    if (displayMode_ == ModeHidden) rect.bottom = rect.top;
    else if (displayMode_ == ModeTabsOnly) rect.bottom = rect.top + kTabStripHeight;
    else rect.bottom = rect.top + kTabStripHeight + kGroupHeight;
    return rect;
}

RECT Ribbon::GetTabStripRect() const
{
    RECT rect = rect_;
    rect.bottom = displayMode_ == ModeHidden ? rect.top : rect.top + kTabStripHeight;
    return rect;
}

void Ribbon::Invalidate()
{
    if (!owner_) return;
    RECT rect = rect_;
    rect.bottom = rect.top + kTabStripHeight + kGroupHeight;
    InvalidateRect(owner_, &rect, FALSE);
}

// A tab's name never changes: each is measured once, all with one device context.
void Ribbon::MeasureTabNames()
{
    HDC dc = 0;
    HGDIOBJ old = 0;
    for (int t = 0; t < tabCount_; t++) {
        if (tabs_[t].textWidth >= 0) continue;
        if (!dc) {
            dc = GetDC(0);
            old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        }
        SIZE size = {0, 0};
        GetTextExtentPoint32W(dc, tabs_[t].name, lstrlenW(tabs_[t].name), &size);
        tabs_[t].textWidth = size.cx;
    }
    if (dc) {
        SelectObject(dc, old);
        ReleaseDC(0, dc);
    }
}

void Ribbon::PrepareTab(int tab)
{
    HDC dc = 0;
    for (int i = 0; i < controlCount_; i++) {
        Hosted& hosted = controls_[i];
        if (hosted.ready || hosted.tab != tab) continue;
        if (!dc) dc = GetDC(0);
        // The picture first: one beside the caption takes room from it.
        hosted.control->LoadPicture();
        hosted.control->FitCaptionWidth(dc);
        hosted.ready = 1;
    }
    if (dc) ReleaseDC(0, dc);
}

void Ribbon::Layout()
{
    // Tabs left to right.
    MeasureTabNames();
    if (displayMode_ == ModeFull) PrepareTab(currentTab_);
    int x = rect_.left + 8;
    for (int t = 0; t < tabCount_; t++) {
        int width = tabs_[t].textWidth + kTabPadding;
        SetRect(&tabs_[t].tabRect, x, rect_.top + 2, x + width, rect_.top + kTabStripHeight);
        x += width + 2;
    }
    // Controls of the current tab flow down each group's columns; the others hide.
    int groupLeft = rect_.left + kGroupGap;
    int areaTop = rect_.top + kTabStripHeight + kControlGap;
    int areaBottom = rect_.top + kTabStripHeight + kGroupHeight - kCaptionHeight;
    int showing = displayMode_ == ModeFull;
    for (int g = 0; showing && g < tabs_[currentTab_].groupCount; g++) {
        int columnLeft = groupLeft, columnWidth = 0, y = areaTop, groupRight = groupLeft + 40;
        for (int i = 0; i < controlCount_; i++) {
            Hosted& hosted = controls_[i];
            if (hosted.tab != currentTab_ || hosted.group != g) continue;
            RECT r = hosted.control->GetRect();
            int width = r.right - r.left, height = r.bottom - r.top;
            if (y + height > areaBottom && y > areaTop) {
                columnLeft += columnWidth + kControlGap;
                columnWidth = 0;
                y = areaTop;
            }
            // A control already in place is left alone: moving it repaints it.
            if (r.left != columnLeft || r.top != y)
                hosted.control->SetPosition(columnLeft, y, columnLeft + width, y + height);
            y += height + kControlGap;
            if (width > columnWidth) columnWidth = width;
            if (columnLeft + columnWidth > groupRight) groupRight = columnLeft + columnWidth;
        }
        groupLeft = groupRight + 2 * kGroupGap;
    }
    for (int i = 0; i < controlCount_; i++) {
        int visible = showing && controls_[i].tab == currentTab_;
        if (visible != controls_[i].control->IsVisible()) {
            if (visible) controls_[i].control->Show();
            else controls_[i].control->Hide();
        }
    }
}

void Ribbon::Paint(HDC dc)
{
    if (displayMode_ == ModeHidden) return;
    RECT all = GetRect();
    FillRect(dc, &all, CreateBrushOfColour(ColourLight));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    for (int t = 0; t < tabCount_; t++) {
        RECT tab = tabs_[t].tabRect;
        if (t == currentTab_) {
            FillRect(dc, &tab, CreateBrushOfColour(ColourFace));
            FrameRect(dc, &tab, CreateBrushOfColour(ColourFrame));
        }
        SetTextColor(dc, GetTableColour(ColourText));
        DrawTextW(dc, tabs_[t].name, -1, &tab, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    if (displayMode_ == ModeFull) {
        RECT band = all;
        band.top += kTabStripHeight;
        FillRect(dc, &band, CreateBrushOfColour(ColourFace));
        // Group captions under their controls, with a line between groups.
        for (int g = 0; g < tabs_[currentTab_].groupCount; g++) {
            int left = 0x7fffffff, right = 0;
            for (int i = 0; i < controlCount_; i++) {
                if (controls_[i].tab != currentTab_ || controls_[i].group != g) continue;
                RECT r = controls_[i].control->GetRect();
                if (r.left < left) left = r.left;
                if (r.right > right) right = r.right;
            }
            if (right <= left) continue;
            RECT caption = {left, band.bottom - kCaptionHeight, right, band.bottom};
            SetTextColor(dc, GetTableColour(ColourShadow));
            DrawTextW(dc, tabs_[currentTab_].groups[g].caption, -1, &caption, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            RECT line = {right + kGroupGap, band.top + 4, right + kGroupGap + 1, band.bottom - 4};
            FillRect(dc, &line, CreateBrushOfColour(ColourShadow));
        }
        for (int i = 0; i < controlCount_; i++)
            if (controls_[i].tab == currentTab_) controls_[i].control->Paint(dc);
        if (fadeControl_ && fadeLevel_ > 0 && fadeControl_->IsVisible()) {
            AIEffectContext fade(dc, fadeControl_->GetRect());
            fade.BlendColourInRect(GetTableColour(ColourHot), fadeLevel_);
        }
    }
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

int Ribbon::TabAt(int x, int y) const
{
    POINT point = {x, y};
    for (int t = 0; t < tabCount_; t++)
        if (PtInRect(&tabs_[t].tabRect, point)) return t;
    return -1;
}

int Ribbon::TrackMouse(UINT message, int x, int y)
{
    if (displayMode_ == ModeHidden) return 0;
    RECT all = GetRect();
    POINT point = {x, y};
    int inside = PtInRect(&all, point);
    if (message == WM_MOUSEMOVE) {
        hot_ = 0;
        for (int i = 0; i < controlCount_; i++) {
            if (controls_[i].tab != currentTab_) continue;
            AIControl* control = controls_[i].control;
            control->OnMouseMove(x, y);
            // Disabled controls are never hot, but their help text still shows.
            if (control->HitTest(x, y)) hot_ = control;
        }
        return inside;
    }
    if (message == WM_LBUTTONDOWN) {
        if (!inside) return 0;
        int tab = TabAt(x, y);
        if (tab >= 0) {
            SelectTab(tab);
            return 1;
        }
        pressedControl_ = 0;
        for (int i = 0; i < controlCount_ && !pressedControl_; i++) {
            if (controls_[i].tab != currentTab_) continue;
            if (controls_[i].control->OnMouseDown(x, y)) pressedControl_ = controls_[i].control;
        }
        return 1;
    }
    if (message == WM_LBUTTONUP) {
        AIControl* pressed = pressedControl_;
        pressedControl_ = 0;
        if (pressed) {
            pressed->OnMouseUp(x, y);
            return 1;
        }
        return inside;
    }
    return 0;
}

int Ribbon::LeaveHover(int level)
{
    AIControl* was = 0;
    for (int i = 0; i < controlCount_; i++) {
        AIControl* control = controls_[i].control;
        if (control->IsHot()) was = control;
        if (controls_[i].tab == currentTab_) control->OnMouseMove(-1, -1);
    }
    hot_ = 0;
    fadeControl_ = was;
    fadeLevel_ = was && level > 0 ? level : 0;
    return was ? 1 : 0;
}

int Ribbon::StepHoverFade(int step)
{
    if (fadeLevel_ <= 0) return 0;
    fadeLevel_ -= step;
    if (fadeLevel_ <= 0) {
        fadeLevel_ = 0;
        fadeControl_ = 0;
    }
    if (owner_) InvalidateRect(owner_, &rect_, FALSE);
    return fadeLevel_ > 0 ? 1 : 0;
}

const WCHAR* Ribbon::GetHotHelpText() const
{
    return hot_ && !hot_->GetHelpText().IsEmpty() ? hot_->GetHelpText().GetText() : 0;
}
