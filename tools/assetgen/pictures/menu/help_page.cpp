// The help page: every key of the menu and of the three levels, set out with key caps.
#include <string>

#include "kit/text.h"
#include "pictures/menu/page_parts.h"
#include "pictures/menu/pages.h"

namespace {

const Rgb kFace{34, 38, 74};
const Rgb kHeading = pal::kLaneYellow;
const Rgb kBody = pal::kCream;
const Rgb kQuiet{168, 176, 210};

// Sets one line of caps and words from left to right.
class LineWriter {
public:
    LineWriter(Canvas& c, int x, int y) : c_(c), left_(x), x_(x), y_(y) {}

    LineWriter& Cap(const std::string& label) {
        x_ += KeyCap(c_, x_, y_, label) + 3;
        return *this;
    }
    LineWriter& Arrow(::Arrow dir) {
        x_ += ArrowCap(c_, x_, y_, dir) + 2;
        return *this;
    }
    LineWriter& Arrows() { return Arrow(::Arrow::Left).Arrow(::Arrow::Right).Arrow(::Arrow::Up).Arrow(::Arrow::Down); }
    LineWriter& Word(const std::string& text, Rgb colour = kBody) {
        DrawTextShadow(c_, x_, y_ - 1, text, colour, pal::kInk);
        x_ += TextWidth(text) + 4;
        return *this;
    }
    LineWriter& Gap(int px) {
        x_ += px;
        return *this;
    }
    LineWriter& Tab(int column) {
        if (x_ < left_ + column) x_ = left_ + column;
        return *this;
    }
    LineWriter& Mouse() {
        IconMouse(c_, x_, y_ + 1);
        x_ += 20;
        return *this;
    }
    void Next(int step = 26) {
        x_ = left_;
        y_ += step;
    }
    void Heading(const std::string& text, void (*icon)(Canvas&, int, int)) {
        int x = left_;
        if (icon) {
            icon(c_, x, y_);
            x += 22;
        }
        DrawTextShadow(c_, x, y_ - 1, text, kHeading, pal::kInk);
        const int end = x + TextWidth(text);
        c_.HLine(left_, end, y_ + 16, Mix(kHeading, kFace, 0.5f));
        Next(28);
    }
    int Y() const { return y_; }

private:
    Canvas& c_;
    int left_, x_, y_;
};

}  // namespace

Canvas MakeHelpPage() {
    Canvas c(640, 480, pal::kDuskTop);
    PageBackdrop(c, 12);
    TitleStyle style;
    style.scale = 3;
    style.outlinePx = 2;
    style.shadowDx = style.shadowDy = 3;
    style.shadow = {14, 12, 34};
    const std::string title = "How to play";
    DrawTitle(c, 320 - TextWidth(title, 3) / 2, 4, title, style);

    Card(c, 20, 64, 600, 372, kFace);
    c.VLine(318, 80, 420, Mix(kFace, pal::kWhite, 0.12f));

    // Left: the menu and the keys that work everywhere.
    LineWriter left(c, 40, 84);
    left.Heading("MENU", nullptr);
    left.Arrow(Arrow::Up).Arrow(Arrow::Down).Tab(96).Word("choose an entry");
    left.Next();
    left.Cap("Enter").Tab(96).Word("go there");
    left.Next();
    left.Cap("S").Word("start").Gap(6).Cap("H").Word("help");
    left.Next();
    left.Cap("A").Word("about").Gap(6).Cap("Q").Word("quit");
    left.Next();
    left.Cap("Esc").Tab(96).Word("quit the game");
    left.Next();
    left.Mouse().Tab(96).Word("click an entry");
    left.Next(40);
    left.Heading("ON ANY SCREEN", nullptr);
    left.Cap("Ctrl").Word("+").Cap("1").Cap("2").Cap("3");
    left.Next(22);
    left.Gap(4).Word("pick level 1, 2 or 3", kQuiet);
    left.Next();
    left.Cap("Esc").Tab(96).Word("back to the menu");
    left.Next();

    // Right: one block for each level.
    LineWriter right(c, 336, 84);
    right.Heading("LEVEL 1  THE STREET", IconBoard);
    right.Arrows().Tab(96).Word("steer the board");
    right.Next();
    right.Cap("Space").Tab(96).Word("jump");
    right.Next(34);
    right.Heading("LEVEL 2  THE CLIMB", IconLadder);
    right.Arrow(Arrow::Left).Arrow(Arrow::Right).Tab(96).Word("walk");
    right.Next();
    right.Arrow(Arrow::Up).Tab(96).Word("climb a ladder");
    right.Next();
    right.Cap("Space").Tab(96).Word("jump");
    right.Next();
    right.Cap("X").Tab(96).Word("hold: no jumping");
    right.Next(34);
    right.Heading("LEVEL 3  TWO ROOMS", IconRooms);
    right.Arrows().Tab(96).Word("walk");
    right.Next(22);
    right.Gap(4).Word("walk off the top or the", kQuiet);
    right.Next(18);
    right.Gap(4).Word("bottom to change rooms", kQuiet);

    const std::string foot = "Esc takes you back to the menu";
    DrawTextShadow(c, 320 - TextWidth(foot) / 2, 446, foot, kQuiet, pal::kInk);
    return c;
}
