// Pieces shared by the full-screen pages: backdrop, framed cards, key caps, small icons.
#include "pictures/menu/page_parts.h"

#include "kit/rng.h"
#include "kit/text.h"
#include "pictures/menu/title_screen.h"
#include "pictures/scenery/landscape.h"

void PageBackdrop(Canvas& c, unsigned seed) {
    const int w = c.Width(), h = c.Height();
    EveningSky(c, h - 40, seed);
    Rng rng(seed * 31 + 7);
    Hills(c, h - 64, h, 24, w, static_cast<int>(seed % 300), Mix(pal::kDusk2, pal::kDusk3, 0.35f),
          Mix(pal::kDusk3, pal::kDusk4, 0.4f));
    Skyline(c, 0, w, h - 34, 14, 56, Mix(pal::kDuskTop, pal::kDusk1, 0.6f), pal::kLitWindow, pal::kDusk1, rng);
    c.FillRect(0, h - 34, w, 34, pal::kDuskTop);
    c.HLine(0, w - 1, h - 34, pal::kDusk1);
}

void Card(Canvas& c, int x, int y, int w, int h, Rgb face) {
    for (int j = y + 5; j < y + h + 5; ++j)
        for (int i = x + 5; i < x + w + 5; ++i)
            if (((i + j) & 1) == 0) c.Set(i, j, Mix(c.Get(i, j), pal::kInk, 0.75f));
    c.FillRoundRect(x, y, w, h, 5, pal::kInk);
    c.FillRoundRect(x + 1, y + 1, w - 2, h - 2, 4, pal::kCream);
    c.FillRoundRect(x + 3, y + 3, w - 6, h - 6, 3, pal::kInk);
    c.FillRect(x + 4, y + 4, w - 8, h - 8, face);
    c.HLine(x + 4, x + w - 5, y + 4, Mix(face, pal::kWhite, 0.15f));
}

namespace {

// The cap's outline and face; the label or symbol is drawn by the caller. The face spans
// rows y .. y+14 and the front lip y+15 .. y+17, so text set at y sits in the face.
void CapShape(Canvas& c, int x, int y, int w) {
    const Rgb face{236, 232, 218}, lip{170, 166, 160};
    c.FillRoundRect(x, y - 1, w, 20, 2, pal::kInk);
    c.FillRect(x + 1, y, w - 2, 15, face);
    c.FillRect(x + 1, y + 15, w - 2, 3, lip);
    c.HLine(x + 1, x + w - 2, y + 15, Mix(lip, pal::kInk, 0.3f));
    c.HLine(x + 2, x + w - 3, y, pal::kWhite);
}

// Icons sit on the dark cards, so their outline is a lifted blue rather than ink.
const Rgb kIconRim{128, 134, 180};

}  // namespace

int KeyCap(Canvas& c, int x, int y, const std::string& label) {
    const int w = TextWidth(label) + 9;
    CapShape(c, x, y, w);
    DrawText(c, x + 5, y - 1, label, pal::kInk);
    return w;
}

int ArrowCap(Canvas& c, int x, int y, Arrow dir) {
    const int w = 19;
    CapShape(c, x, y, w);
    // A solid arrow in the middle of the face: a head of four rows and a 3-pixel shaft.
    const int cx = x + 9, cy = y + 7;
    for (int k = 0; k < 4; ++k)
        for (int s = -k; s <= k; ++s) {
            switch (dir) {
                case Arrow::Up:
                    c.Set(cx + s, cy - 4 + k, pal::kInk);
                    break;
                case Arrow::Down:
                    c.Set(cx + s, cy + 4 - k, pal::kInk);
                    break;
                case Arrow::Left:
                    c.Set(cx - 4 + k, cy + s, pal::kInk);
                    break;
                case Arrow::Right:
                    c.Set(cx + 4 - k, cy + s, pal::kInk);
                    break;
            }
        }
    switch (dir) {
        case Arrow::Up:
            c.FillRect(cx - 1, cy, 3, 5, pal::kInk);
            break;
        case Arrow::Down:
            c.FillRect(cx - 1, cy - 4, 3, 5, pal::kInk);
            break;
        case Arrow::Left:
            c.FillRect(cx, cy - 1, 5, 3, pal::kInk);
            break;
        case Arrow::Right:
            c.FillRect(cx - 4, cy - 1, 5, 3, pal::kInk);
            break;
    }
    return w;
}

void IconBoard(Canvas& c, int x, int y) {
    Canvas i(c.Width(), c.Height());
    i.FillRect(x + 1, y + 8, 14, 3, pal::kLeafLight);
    i.HLine(x + 1, x + 14, y + 8, pal::kGrip);
    i.HLine(x + 1, x + 14, y + 10, pal::kDeck);
    i.Set(x, y + 7, pal::kLeafLight);
    i.Set(x + 15, y + 7, pal::kLeafLight);
    i.FillRect(x + 3, y + 12, 3, 3, pal::kWheel);
    i.FillRect(x + 10, y + 12, 3, 3, pal::kWheel);
    StampOutlined(c, i, kIconRim);
}

void IconLadder(Canvas& c, int x, int y) {
    Canvas i(c.Width(), c.Height());
    const Rgb rail{214, 180, 120};
    i.FillRect(x + 3, y, 2, 16, rail);
    i.FillRect(x + 11, y, 2, 16, rail);
    for (int r = 2; r < 16; r += 4) i.HLine(x + 5, x + 10, y + r, rail);
    StampOutlined(c, i, kIconRim);
}

void IconRooms(Canvas& c, int x, int y) {
    Canvas i(c.Width(), c.Height());
    i.FillRect(x + 1, y, 14, 16, Rgb{200, 170, 120});
    i.FillRect(x + 1, y + 8, 14, 8, Rgb{160, 196, 204});
    i.HLine(x + 1, x + 14, y + 7, pal::kInk);
    i.HLine(x + 6, x + 9, y + 7, Rgb{200, 170, 120});
    i.Set(x + 8, y + 11, pal::kCap);
    i.Set(x + 7, y + 11, pal::kCap);
    StampOutlined(c, i, kIconRim);
}

void IconMouse(Canvas& c, int x, int y) {
    Canvas i(c.Width(), c.Height());
    i.FillRoundRect(x + 3, y + 1, 10, 15, 4, Rgb{236, 232, 218});
    i.FillRect(x + 3, y + 1, 5, 6, Rgb{250, 206, 70});
    i.HLine(x + 3, x + 12, y + 7, Rgb{170, 166, 160});
    i.VLine(x + 8, y + 1, y + 6, Rgb{170, 166, 160});
    StampOutlined(c, i, kIconRim);
}
