// What following a link does, decided from its text alone: which note, which
// address or file goes to the shell, with which parameters and folder, and
// which targets are refused. The caller carries the plan out.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum LinkFollowAction : int32_t {
    kFollowNothing = 0,
    kFollowNote,      // target: the title of a note
    kFollowShell,     // target: an address or a file for the shell
    kFollowImage,     // target: a picture file (its note first, else the shell)
    kFollowRefused,   // target: why (status mark-up)
};

struct LinkFollowPlan {
    LinkFollowAction action = kFollowNothing;
    AIString target;
    AIString parameters;   // a program's switches
    AIString folder;       // a program's working folder
    int32_t localFile = 0;  // a file here: it must exist before anything happens
    int32_t program = 0;    // a program or script: started only when the user agrees
    int32_t minimise = 0;   // the main window goes down just before the shell opens it
};

// A labelled hyperlink's target as the table holds it ("," as U+2026).
// "rel:" targets are paths in the data folder.
void PlanHyperlinkFollow(const WCHAR* target, LinkFollowPlan& plan);
// An address typed into the text (not in the table): "www..." gets
// "http://" in front; "http..." and "mailto..." are opened; anything else is not a link.
void PlanAutomaticLinkFollow(const WCHAR* text, LinkFollowPlan& plan);

// 1 when a path names a program or script the shell would start, decided on
// the name the file system opens: blanks, quotes, and dots, blanks and
// separators at the end dropped; each piece of a stream suffix
// ("mark.bat::$DATA"); a short (8.3) name by its long name where the file
// exists. The extensions of PATHEXT count too.
int IsProgramPath(const WCHAR* path);

// A path's long form: 1 with it in longPath, 0 when it cannot be looked up.
typedef int (*LongPathFn)(const WCHAR* path, AIString& longPath);
// The rule of IsProgramPath with the PATHEXT list (";"-separated, may be
// null) and the long-name look-up given (may be null). A short name that
// cannot be looked up counts as a program when its extension could be the
// start of a program's.
int IsProgramPathWith(const WCHAR* path, const WCHAR* pathExt, LongPathFn longPath);
// The path as the shell opens it (see IsProgramPath), before any look-up.
void ShellOpenedPath(const WCHAR* path, AIString& opened);
// 1 when a path names a picture the program shows itself (".png", ".jpg").
int IsPicturePath(const WCHAR* path);
