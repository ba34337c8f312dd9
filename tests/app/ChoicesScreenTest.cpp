// The screen of a customer's choices at 1024 x 768: everything on show fits where it stands.
#include "RoadFixture.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>

namespace tuvako {
namespace {

using ChoicesScreen = RoadFixture;

// Also saves the picture as choices.png in TUVAKO_SCREENSHOT_DIR when that is set (the README
// shows it).
TEST_F(ChoicesScreen, CaptionsFitTheirButtonsAndTheButtonsThePanel) {
    Start();
    window->resize(1024, 768);
    QTRY_COMPARE(window->size(), QSize(1024, 768));
    Receive(AcceptedCard());
    Receive(kStart);
    Receive("Buttons^1^2^3^4^BUTTON^Paikka^P1^^Paikka 12");
    Receive("Buttons^1^2^3^4^BUTTON^X^V12^^Kuntosali^ma-pe^6-22^la-su^8-20");
    Receive(ButtonMessage("V13", "Sali ja sauna", "A"));
    Receive(ButtonMessage("V14", "Uinti"));
    Receive(kStop);

    const QWidget* panel = Find<QWidget>("PanelValinta");
    for (int slot = 0; slot < 5; ++slot) {
        const QPushButton* button = Slot(slot);
        ASSERT_TRUE(button->isVisible()) << slot;
        EXPECT_TRUE(panel->rect().contains(button->geometry())) << slot;
        // Every line fits beside the frame: long lines were wrapped at their blanks.
        const QFontMetrics metrics(button->font());
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        EXPECT_LE(metrics.height() * lines.size(), button->height()) << slot;
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), button->width() - 6) << line.toStdString();
    }
    const QImage picture = window->grab().toImage();
    EXPECT_EQ(picture.size(), QSize(1024, 768));
    const QString directory = qEnvironmentVariable("TUVAKO_SCREENSHOT_DIR");
    if (!directory.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(directory).filePath("choices.png")));
    }
}

}  // namespace
}  // namespace tuvako
