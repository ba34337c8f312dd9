// Pressing selection buttons from standard input: by slot, by caption, never a hidden one.
#include "app/ConsoleTouch.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QWidget>

namespace tuvako {
namespace {

class ConsoleTouchTest : public ::testing::Test {
protected:
    ConsoleTouchTest() {
        const char* captions[] = {"Tyhjenn\xC3\xA4 ruutu", "Hieronta\n30 min", "R&&D", "Sauna"};
        for (int slot = 0; slot < 4; ++slot) {
            auto* button = new QPushButton(QString::fromUtf8(captions[slot]), &window);
            button->setObjectName(QStringLiteral("Button%1").arg(slot));
            QObject::connect(button, &QPushButton::clicked,
                             [this, slot] { pressed.push_back(slot); });
        }
        window.findChild<QPushButton*>("Button3")->hide();
        window.show();
    }

    QWidget window;
    ConsoleTouch touch{window};
    std::vector<int> pressed;
};

TEST_F(ConsoleTouchTest, PressesAShownButtonBySlotOrByTheStartOfItsCaption) {
    EXPECT_TRUE(touch.Execute("press 1"));
    EXPECT_TRUE(touch.Execute("press Tyhjenn\u00e4"));
    EXPECT_TRUE(touch.Execute("press R&D"));  // the caption as shown, not as escaped
    EXPECT_EQ(pressed, (std::vector<int>{1, 0, 2}));
}

TEST_F(ConsoleTouchTest, NeverPressesAHiddenButtonAndRejectsOtherCommands) {
    EXPECT_FALSE(touch.Execute("press 3"));
    EXPECT_FALSE(touch.Execute("press Sauna"));
    EXPECT_FALSE(touch.Execute("press 9"));
    EXPECT_FALSE(touch.Execute("press"));
    EXPECT_FALSE(touch.Execute("click 1"));
    EXPECT_TRUE(pressed.empty());
}

}  // namespace
}  // namespace tuvako
