// Buttons pressed and a colour chosen from commands on standard input, as a terminal without a
// display takes them.
#include "app/ConsoleTouch.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QColorDialog>
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

TEST(ConsoleTouch, ColourIsChosenThroughTheMenuItemAndConfirmedInItsDialog) {
    QWidget window;
    auto* dialog = new QColorDialog(&window);
    dialog->setObjectName(QStringLiteral("ColorDialog"));
    auto* item = new QAction(&window);
    item->setObjectName(QStringLiteral("mnuBackColor"));
    std::vector<QColor> confirmed;
    QObject::connect(item, &QAction::triggered, [&] {
        if (dialog->exec() == QDialog::Accepted) confirmed.push_back(dialog->selectedColor());
    });
    ConsoleTouch touch{window};
    EXPECT_TRUE(touch.Execute("colour 12a4Ff"));
    for (const char* wrong : {"colour", "colour 12345", "colour 1234567", "colour #123456",
                              "colour red", "colour 12345g"})
        EXPECT_FALSE(touch.Execute(wrong)) << wrong;
    EXPECT_EQ(confirmed, std::vector<QColor>{QColor(0x12, 0xA4, 0xFF)});
}

}  // namespace
}  // namespace tuvako
