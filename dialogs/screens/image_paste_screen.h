// The paste-and-edit image screen (screen 17): what its tests and its OK
// button reach. It opens through ShowPasteImageScreen/ShowPasteImageScreenFor
// (dialogs/screen_launchers.h).
#pragma once
#include "foundation/win.h"

class AIImage;
class AIString;

// The OK action (also Enter in the name field): 0 when refused (the status
// says why), 1 otherwise.
int ImagePasteCommit();
// 1 while OK can be pressed.
int ImagePasteOkEnabled();
// The status code shown (PasteStatus of image_paste_rules.h).
int ImagePasteStatus();
// The line under the preview: the status, the hovered tool's hint, or the
// picture's numbers.
void ImagePasteInformationLine(AIString& line);
// The warning block's lines, joined by "|" (empty when none shows).
void ImagePasteWarning(AIString& joined);
// The picture as edited so far, and where its preview stands in the host.
const AIImage& ImagePasteWorkingImage();
RECT ImagePastePreviewRect();
