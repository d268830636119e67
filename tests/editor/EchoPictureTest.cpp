// The display in the header pictures the echoes the settings make: where they come, how loud on
// each side, how the filters mark them; its pixels follow every setting that changes the echoes
// and nothing else, and identical settings give identical pixels at every density; a readout
// shown over them hides none of them.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "EchoDisplayView.h"
#include "EchoTrain.h"
#include "ParameterReadout.h"
#include "headless/HeadlessSurface.h"

namespace {

using echo_train::ParameterValues;

// A long, filtered, wandering echo: many repeats, both filters in the loop.
ParameterValues busyEcho() {
    ParameterValues values{};
    values[kDelay] = 0.12f;
    values[kFeedBack] = 0.7f;
    values[kLowPass] = 0.5f;
    values[kHighPass] = 0.5f;
    values[kLowPassInLoop] = 1.0f;
    values[kHighPassInLoop] = 1.0f;
    values[kPan] = 0.5f;
    values[kPanWidth] = 0.4f;
    values[kMix] = 0.8f;
    return values;
}

std::vector<ui::headless::Pixel> pictureOf(const ParameterValues& values, double scale,
                                           std::optional<readout::Readout> shown = {}) {
    auto view = std::make_shared<EchoDisplayView>(ui::Rect{0, 0, 304, 50});
    for (int index = 0; index < kNumParams; ++index) view->setParameter(index, values[index]);
    if (shown) view->showReadout(*shown);
    ui::headless::HeadlessSurface surface(view, scale);
    surface.displayAll();
    std::vector<ui::headless::Pixel> pixels;
    for (int y = 0; y < surface.pixelHeight(); ++y) {
        for (int x = 0; x < surface.pixelWidth(); ++x) pixels.push_back(surface.pixelAtPixel(x, y));
    }
    return pixels;
}

}  // namespace

TEST(EchoTrain, RepeatsComeEveryDelayDieAwayByTheFeedbackLeanWithTheBalanceAndDarkenInTheLoop) {
    ParameterValues values = busyEcho();
    std::vector<echo_train::Echo> echoes = echo_train::echoesOf(values, 1.2, 0.01, 96);
    ASSERT_EQ(echoes.size(), 10u);  // 0.12 s apart, the tenth at 1.2 s
    for (std::size_t k = 0; k < echoes.size(); ++k) {
        EXPECT_NEAR(echoes[k].seconds, 0.12 * static_cast<double>(k + 1), 1e-6);
        // The dip takes the right side of odd repeats and the left of even ones.
        const double level = 0.8 * std::pow(0.7, static_cast<double>(k));
        EXPECT_NEAR(k % 2 == 0 ? echoes[k].left : echoes[k].right, level, 1e-6);
        EXPECT_NEAR(k % 2 == 0 ? echoes[k].right : echoes[k].left, level * 0.6, 1e-6);
        if (k > 0) {
            EXPECT_LT(echoes[k].brightness, echoes[k - 1].brightness);
            EXPECT_LT(echoes[k].body, echoes[k - 1].body);
        }
    }
    // On the heard echo only, every repeat has been through the filters once.
    values[kLowPassInLoop] = 0.0f;
    values[kHighPassInLoop] = 0.0f;
    echoes = echo_train::echoesOf(values, 1.2, 0.01, 96);
    for (const auto& echo : echoes) {
        EXPECT_EQ(echo.brightness, echoes.front().brightness);
        EXPECT_EQ(echo.body, echoes.front().body);
        EXPECT_LT(echo.brightness, 1.0);
    }
    // Hard left: the right echo is gone; no mix, no echo at all.
    values[kPan] = 0.0f;
    values[kPanWidth] = 0.0f;
    for (const auto& echo : echo_train::echoesOf(values, 1.2, 0.01, 96)) {
        EXPECT_EQ(echo.right, 0.0);
        EXPECT_GT(echo.left, 0.0);
    }
    values[kMix] = 0.0f;
    EXPECT_TRUE(echo_train::echoesOf(values, 1.2, 0.01, 96).empty());
}

TEST(EchoPicture, PixelsFollowEverySettingThatShapesTheEchoesAndRepeatExactlyForTheSameSettings) {
    struct Change {
        int index;
        float value;
    };
    const Change changes[] = {{kDelay, 0.3f},         {kFeedBack, 0.3f}, {kPan, 0.2f},
                              {kPan, 0.8f},           {kPanWidth, 0.9f}, {kMix, 0.4f},
                              {kLowPass, 0.9f},       {kHighPass, 0.1f}, {kLowPassInLoop, 0.0f},
                              {kHighPassInLoop, 0.0f}};
    for (const double scale : {1.0, 2.0}) {
        const auto base = pictureOf(busyEcho(), scale);
        EXPECT_EQ(pictureOf(busyEcho(), scale), base) << "at " << scale;
        for (const Change& change : changes) {
            ParameterValues values = busyEcho();
            values[change.index] = change.value;
            EXPECT_NE(pictureOf(values, scale), base)
                << "parameter " << change.index << " at " << change.value << ", scale " << scale;
        }
    }
}

// The readout keeps to its band: with the longest readout showing, every pixel the echoes drew is
// as it was, for repeats anywhere across the display and at full level on both sides.
TEST(EchoPicture, TheReadoutNeverCoversARepeat) {
    const readout::Readout longest =
        readout::readoutOf(kDelay, 1.0f, DelayLength{192000, 192000.0f});
    for (const double scale : {1.0, 1.25, 2.0}) {
        for (const float delay : {0.1f, 0.25f, 0.5f, 0.7f, 1.0f}) {
            ParameterValues values{};
            values[kDelay] = delay;
            values[kFeedBack] = 1.0f;
            values[kMix] = 1.0f;
            values[kPan] = 0.5f;
            values[kLowPass] = 1.0f;
            const auto echoes = pictureOf(values, scale);
            const auto shown = pictureOf(values, scale, longest);
            const auto blank = pictureOf(ParameterValues{}, scale);
            std::size_t repeatPixels = 0;
            for (std::size_t k = 0; k < echoes.size(); ++k) {
                if (echoes[k] == blank[k]) continue;
                ++repeatPixels;
                ASSERT_EQ(shown[k], echoes[k])
                    << "pixel " << k << " at delay " << delay << ", scale " << scale;
            }
            EXPECT_GT(repeatPixels, 0u);
        }
    }
}
