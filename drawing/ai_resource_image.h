// AIResourceImage: a PNG or JPEG picture stored as a "PNG" or "JPG" resource,
// decoded once into a 32-bit bitmap and drawn with an opacity of 0..100.
// While images are turned off program-wide nothing is drawn (draws return 0).
#pragma once
#include "foundation/win.h"
#include "drawing/ai_dib.h"

int AreImagesEnabled();
void SetImagesEnabled(int enabled);

class AIResourceImage {
public:
    AIResourceImage();
    ~AIResourceImage();
    AIResourceImage(const AIResourceImage&) = delete;
    AIResourceImage& operator=(const AIResourceImage&) = delete;

    // type L"PNG" or L"JPG"; module 0: the program. 1 on success.
    int LoadResource(int id, const WCHAR* type, HINSTANCE module = 0);
    int LoadPngResource(int id, HINSTANCE module = 0);
    void Free();

    int IsLoaded() const { return !dib_.IsEmpty(); }
    int GetWidth() const { return dib_.GetWidth(); }
    int GetHeight() const { return dib_.GetHeight(); }
    AIDib& GetDib() { return dib_; }

    // The point Draw uses.
    void SetPosition(int x, int y) { x_ = x; y_ = y; }

    // opacity 0..100 (clamped); the picture's own alpha is kept.
    int Draw(HDC dc, int opacity);
    int DrawAt(HDC dc, int x, int y, int opacity);
    // Scaled to width x height (halftone), then drawn with the opacity.
    int DrawSized(HDC dc, int x, int y, int width, int height, int opacity);
    // Stretched into a rectangle, opaque where the picture is.
    int DrawStretched(HDC dc, const RECT& dest);
    // Greyed pictures for disabled controls: A full strength, B faded to
    // 60 %, C faded to 30 %.
    int DrawGreyedA(HDC dc, int x, int y);
    int DrawGreyedB(HDC dc, int x, int y);
    int DrawGreyedC(HDC dc, int x, int y);

private:
    int DrawGreyed(HDC dc, int x, int y, int opacity);

    AIDib dib_;
    int x_;
    int y_;
};
