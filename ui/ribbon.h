// The ribbon the program draws itself: a strip of tabs ("Home", "Options",
// "Help") over the groups of the current tab, each group hosting windowless
// controls. The controls belong to the caller (global AIControl objects, whose
// ids are their command ids); the ribbon lays them out, draws them and routes
// the mouse to them. A click posts WM_COMMAND with the control id to the owner.
#pragma once
#include "foundation/win.h"

class AIControl;

class Ribbon {
public:
    enum { kMaxTabs = 20, kMaxGroups = 20, kMaxControls = 100, kTabStripHeight = 24,
           kGroupHeight = 72, kCaptionHeight = 16 };
    // Display modes: the whole ribbon, only the tab strip, nothing.
    enum { ModeFull = 0, ModeTabsOnly = 1, ModeHidden = 2 };

    Ribbon();

    // The window that shows the ribbon; hosted controls report to it.
    void Attach(HWND owner, int left, int top, int width);
    HWND GetOwner() const { return owner_; }

    // Adds "Home", "Options" and "Help".
    void AddStandardTabs();
    // Each returns the new index, -1 when full.
    int AddTab(const WCHAR* name);
    int AddGroup(int tab, const WCHAR* caption);
    // Hosts a control in a group, with its help text; the control keeps its
    // size, widened when a word of its caption would not fit. What only the
    // shown control needs (that width, a picture given by resource) is made
    // when its tab first shows.
    int AddControl(int tab, int group, AIControl* control, const WCHAR* helpText);

    int GetTabCount() const { return tabCount_; }
    int GetControlCount() const { return controlCount_; }
    AIControl* GetControl(int index) const;
    AIControl* FindControl(int commandId) const;
    // Ids of every hosted control in order (fills a command table); returns the count.
    int CollectCommandIds(UINT* ids, int max) const;

    // Enabled and pressed states by command id; 0 when the id is unknown.
    int SetControlEnabled(int commandId, int enabled);
    int SetControlPressed(int commandId, int pressed);

    // index, or -2 next, -1 previous (wrapping). Returns the tab now current.
    int SelectTab(int index);
    int GetCurrentTabIndex() const { return currentTab_; }
    int GetDisplayMode() const { return displayMode_; }
    void SetDisplayMode(int mode);
    RECT GetRect() const;
    // The tab strip alone (the wheel switches tabs over it).
    RECT GetTabStripRect() const;
    void Invalidate();

    // Lays out the current tab's controls (after adding or switching tabs).
    void Layout();
    void Paint(HDC dc);

    // Mouse in owner client coordinates; message is WM_MOUSEMOVE, WM_LBUTTONDOWN
    // or WM_LBUTTONUP. Returns 1 when the ribbon used the message.
    int TrackMouse(UINT message, int x, int y);
    // The control under the mouse after TrackMouse (enabled or not), or null.
    AIControl* GetHotControl() const { return hot_; }
    // The help text of the control under the mouse, or null.
    const WCHAR* GetHotHelpText() const;

    // The pointer left the ribbon (into a pane below it): no control stays
    // hot, and the one that was fades out from `level` (0..255 of the hover
    // colour; 0 at once). 1 when a control was hot.
    int LeaveHover(int level);
    // One step of the fade, `step` levels fainter; 1 while it still shows.
    int StepHoverFade(int step);
    int GetHoverFadeLevel() const { return fadeLevel_; }

private:
    struct Group {
        WCHAR caption[40];
        int firstControl;  // index into controls_ of the group's first control, in adding order
    };
    struct Tab {
        WCHAR name[32];
        int groupCount;
        Group groups[kMaxGroups];
        RECT tabRect;
        int textWidth;  // the name's width, measured at the first layout (-1 before)
    };
    struct Hosted {
        AIControl* control;
        int tab;
        int group;
        int ready;  // its picture decoded and its caption fitted
    };
    int TabAt(int x, int y) const;
    void MeasureTabNames();
    // Readies the controls of a tab about to show, all with one device context.
    void PrepareTab(int tab);

    HWND owner_;
    RECT rect_;
    int displayMode_;
    int currentTab_;
    int tabCount_;
    Tab tabs_[kMaxTabs];
    int controlCount_;
    Hosted controls_[kMaxControls];
    AIControl* hot_;
    AIControl* pressedControl_;
    AIControl* fadeControl_ = nullptr;  // the control whose hover fades out
    int fadeLevel_ = 0;
};
