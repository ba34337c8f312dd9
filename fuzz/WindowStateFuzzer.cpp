// Arbitrary bytes as "Selwi.ini": the main window restores its position and its panel colours
// from them at creation and is shown as the program shows it. Nothing may crash, the window
// must stand on a screen, and closing it must write every colour back as a decimal number,
// the number of the colour the panel shows.
#include "FuzzSupport.h"

#include "app/Main.h"
#include "app/TPanel.h"
#include "platform/ExceptionReporter.h"
#include "platform/PrivateProfile.h"
#include "support/TempDir.h"

#include <QGuiApplication>
#include <QScreen>

#include <charconv>
#include <cstdint>
#include <string>

namespace {

using namespace tuvako;

bool OnSomeScreen(const QRect& frame) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().intersects(frame)) return true;
    return false;
}

// A decimal number that fits a signed 32-bit integer, with nothing around it.
bool IsNumber(const std::string& text, std::int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

void CheckSavedColour(const std::string& file, const char* panelName, const TPanel* panel) {
    const std::string key = std::string(panelName) + ".Color";
    const std::string saved = PrivateProfile::GetString("TfrmDEvevorMain", key, "(none)", file);
    std::int32_t value = 0;
    fuzz::Check(IsNumber(saved, value), key + " saved as \"" + fuzz::Printable(saved) + "\"");
    fuzz::Check(value == panel->Color(), key + " saved as another colour than the panel's");
}

}  // namespace

TUVAKO_FUZZ_NO_LEAK_CHECK

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartApplication(true);
    // Restoring and saving run guarded; what they report is how a wrong file shows itself.
    ExceptionReporter::SetSink([](const AnsiString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test::TempDir dir;
    const std::string file =
        dir.Write("Selwi.ini", std::string(reinterpret_cast<const char*>(data), size)).string();
    ConfigFolderFacts facts;  // a program run from the fuzzer's directory
    facts.executableFolder = dir.Path().string();
    {
        TfrmTuvakoMain window({}, StartOptions{ConfigFolder::Choose(facts)});
        window.ShowMaximisedOnScreen();
        // The platform reports the new geometry through the event loop.
        for (int round = 0; round < 20 && !OnSomeScreen(window.frameGeometry()); ++round)
            QCoreApplication::processEvents();
        const QRect frame = window.frameGeometry();
        fuzz::Check(OnSomeScreen(frame),
                    "the window stands on no screen: " + std::to_string(frame.left()) + "," +
                        std::to_string(frame.top()) + " " + std::to_string(frame.width()) + "x" +
                        std::to_string(frame.height()));
        const char* const panels[] = {"PanelTausta", "PanelTop", "PanelValinta"};
        window.close();
        for (const char* name : panels)
            CheckSavedColour(file, name, window.findChild<TPanel*>(name));
        std::int32_t formColour = 0;
        const std::string saved = PrivateProfile::GetString("TfrmTuvakoMain", "Color", "", file);
        fuzz::Check(IsNumber(saved, formColour),
                    "the form's colour saved as \"" + fuzz::Printable(saved) + "\"");
    }
    return 0;
}
