// Where a host's window is larger than the editor, the panel's graded background fills the rest
// and the editor stays in the top-left corner, following the window as it grows and shrinks.
#include <gtest/gtest.h>

#include "PanelSurround.h"
#include "headless/HeadlessSurface.h"

TEST(PanelSurround, CoversALargerHostAreaWithThePanelsGradeAndKeepsTheEditorTopLeft) {
    auto host = std::make_shared<ui::View>(ui::Rect{0, 0, 344, 400});
    auto editor = std::make_shared<ui::View>(ui::Rect{0, 0, 344, 400});
    auto surround = std::make_shared<PanelSurround>(editor);
    host->addSubview(surround);
    EXPECT_EQ(surround->frame(), (ui::Rect{0, 0, 344, 400}));

    // The host's window grows: the surround follows it, the editor's top edge stays at the top.
    host->setFrame({0, 0, 500, 650});
    EXPECT_EQ(surround->frame(), (ui::Rect{0, 0, 500, 650}));
    EXPECT_EQ(editor->frame(), (ui::Rect{0, 250, 344, 400}));

    ui::headless::HeadlessSurface surface(host, 2.0);
    surface.setBackgroundColor(ui::Color::whiteColor());
    surface.displayAll();
    const ui::headless::Pixel beside = surface.pixelAt({420, 640});
    const ui::headless::Pixel lower = surface.pixelAt({420, 300});
    const ui::headless::Pixel below = surface.pixelAt({100, 20});
    for (const auto& pixel : {beside, lower, below}) {
        EXPECT_EQ(pixel.alpha, 255);
        EXPECT_LT(pixel.red + pixel.green + pixel.blue, 3 * 70)
            << pixel.red << "," << pixel.green << "," << pixel.blue;
    }
    // Graded like the panel: lighter at the top than further down.
    EXPECT_GT(beside.red + beside.green + beside.blue, lower.red + lower.green + lower.blue);

    // It never gets smaller than the editor.
    host->setFrame({0, 0, 200, 300});
    EXPECT_EQ(surround->frame(), (ui::Rect{0, 0, 344, 400}));
    EXPECT_EQ(editor->frame(), (ui::Rect{0, 0, 344, 400}));
}

// A host that answers each change of the surround's size by fitting its window to it plus 6 points
// below (and its toolbar's width) is not followed in that answer, so neither grows any further;
// a change the host makes on its own, as when its user enlarges the window, is still followed.
TEST(PanelSurround, FollowsTheHostsOwnChangesButNotItsAnswersToTheSurroundsChanges) {
    auto host = std::make_shared<ui::View>(ui::Rect{0, 0, 344, 400});
    auto surround = std::make_shared<PanelSurround>(std::make_shared<ui::View>(host->frame()));
    host->addSubview(surround);
    const auto hostFitsTheSurround = [&] {
        const ui::Size inside = surround->frame().size;
        host->setFrame({0, 0, std::max(inside.width, 392.0), inside.height + 6});
    };
    hostFitsTheSurround();  // the host lays itself out around the editor
    EXPECT_EQ(surround->frame().size, (ui::Size{392, 406}));
    for (int round = 0; round < 50; ++round) hostFitsTheSurround();
    EXPECT_EQ(surround->frame().size, (ui::Size{392, 406}));
    EXPECT_EQ(host->frame().size, (ui::Size{392, 412}));

    host->setFrame({0, 0, 600, 700});  // the user enlarges the host's window
    EXPECT_EQ(surround->frame().size, (ui::Size{600, 700}));
    for (int round = 0; round < 50; ++round) hostFitsTheSurround();
    EXPECT_EQ(surround->frame().size, (ui::Size{600, 700}));
}
