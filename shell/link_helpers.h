// Link targets as the shell hands them to the editor and preview layers.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// "rel:\x" becomes a path in the data file's folder, "file:" loses its prefix,
// anything else is copied. 1 when the link named a file this way.
int ResolveFileLink(const WCHAR* link, AIString& path);

// Non-zero when a link may show an image preview: web addresses ("http",
// "https:"), "hyperlink:" targets, paths through an "images" folder, and
// ".png" or ".jpg" files.
int ClassifyHyperlink(const WCHAR* link);

// The editor's background for the current state: the colour of the settings
// (0 white), and the incremental-search tint while a search runs.
void ApplyEditorBackground();
