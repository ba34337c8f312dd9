// Buttons pressed from commands on standard input, as a terminal without a display takes them.
#include "app/ConsoleTouch.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QWidget>

namespace tuvako {
namespace {

TEST(ConsoleTouch, PressesAShownButtonBySlotOrCaptionStartAndNothingElse) {
    QWidget window;
    std::vector<int> pressed;
    const char* captions[] = {"Tyhjenn\xC3\xA4 ruutu", "Hieronta\n30 min", "R&&D", "Sauna"};
    for (int slot = 0; slot < 4; ++slot) {
        auto* button = new QPushButton(QString::fromUtf8(captions[slot]), &window);
        button->setObjectName(QStringLiteral("Button%1").arg(slot));
        button->setVisible(slot != 3);
        QObject::connect(button, &QPushButton::clicked, [&, slot] { pressed.push_back(slot); });
    }
    window.show();
    ConsoleTouch touch{window};
    const std::pair<const char*, bool> commands[] = {
        {"press 1", true},   {"press Tyhjenn\u00e4", true},
        {"press R&D", true},                          // the caption as shown, not as escaped
        {"press 3", false},  {"press Sauna", false},  // hidden
        {"press 9", false},  {"press", false},
        {"click 1", false},
    };
    for (const auto& [command, accepted] : commands)
        EXPECT_EQ(touch.Execute(command), accepted) << command;
    EXPECT_EQ(pressed, (std::vector<int>{1, 0, 2}));
}

}  // namespace
}  // namespace tuvako
