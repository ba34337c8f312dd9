#include "settings/TFormState.h"

#include "platform/Cp1252.h"
#include "platform/WindowPlacement.h"
#include "settings/IntegerText.h"
#include "settings/PropertyText.h"
#include "settings/TAbstractStore.h"

#include <QMetaProperty>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace tuvako {
namespace {

// A form opens on the monitor of the active form unless told otherwise; the toolkit leaves the
// choice to the window system, so that is the monitor setting written.
constexpr std::int32_t kDefaultMonitorActiveForm = 3;

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while ((pos = text.find_first_not_of(" ,", pos)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(" ,", pos), text.size());
        words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

// Stored coordinates far beyond any screen are held to a range in which the window's rectangle
// can still be computed: a left edge of 2147483633 would overflow once the width is added.
constexpr std::int32_t kCoordinateLimit = 1 << 20;

std::int32_t WordOr(const std::vector<std::string_view>& words, std::size_t index,
                    std::int32_t fallback) {
    const std::int32_t value =
        index < words.size() ? StrToIntDef(words[index], fallback) : fallback;
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

std::optional<QMetaProperty> ColorProperty(const QObject& object) {
    return PropertyText::Find(object, "Color");
}

// The form's colour word, 0x00BBGGRR.
std::int32_t FormColor(const QWidget& form) {
    if (const auto property = ColorProperty(form); property && property->isReadable())
        return property->read(&form).toInt();
    const QColor color = form.palette().color(QPalette::Window);
    return color.red() | color.green() << 8 | color.blue() << 16;
}

void SetFormColor(QWidget& form, std::int32_t color) {
    if (const auto property = ColorProperty(form); property && property->isWritable()) {
        property->write(&form, color);
        return;
    }
    if (color < 0) return;  // a system colour: the palette follows the system already
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, QColor(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF));
    form.setPalette(palette);
}

void SetShowCommand(QWidget& form, std::int32_t showCmd) {
    Qt::WindowStates state =
        form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (showCmd == std::int32_t(WindowPlacement::ShowMinimized))
        state |= Qt::WindowMinimized;
    else if (showCmd == std::int32_t(WindowPlacement::ShowMaximized))
        state |= Qt::WindowMaximized;
    form.setWindowState(state);
}

// A window whose size the user cannot change keeps its size when its rectangle is restored.
bool IsSizeable(const QWidget& form) {
    return form.minimumSize() != form.maximumSize();
}

void RestoreRectangle(QWidget& form, const std::vector<std::string_view>& words,
                      std::int32_t flags) {
    WindowPlacement placement = GetWindowPlacement(form);
    const PlacementRect current = placement.normalPosition;
    PlacementRect& rect = placement.normalPosition;
    rect.left = WordOr(words, 0, current.left);
    rect.top = WordOr(words, 1, current.top);
    rect.right = WordOr(words, 2, current.right);
    rect.bottom = WordOr(words, 3, current.bottom);
    if (!IsSizeable(form)) {
        rect.right = rect.left + (current.right - current.left);
        rect.bottom = rect.top + (current.bottom - current.top);
    }
    if (rect.left >= rect.right) return;
    placement.flags = std::uint32_t(flags);
    SetWindowPlacement(form, placement);
}

}  // namespace

TFormState::TFormState(QWidget* owner) : TAbstractState(owner) {}

TFormState::~TFormState() = default;

void TFormState::DoRestoreState() {
    if (!Storage()) return;
    TAbstractStore& store = *Storage();
    TAbstractStore::OpenScope open(store);
    const AnsiString section = EffectiveSection();
    if (options_ & (fsState | fsPosition)) {
        // A position measured at another resolution would put the window somewhere else.
        const int pixelsPerInch = Form().logicalDpiY();
        if (store.ReadInteger(section, "PixelsPerInch", pixelsPerInch) != pixelsPerInch) return;
    }
    if (options_ & fsPosition) {
        const std::int32_t flags = store.ReadInteger(section, "Flags", 0);
        const AnsiString normalPos = store.ReadString(section, "NormalPos", "");
        if (normalPos.empty()) return;
        // The toolkit places a window only where it is told to, so the stored position needs no
        // switch away from automatic placement.
        const auto words = SplitWords(normalPos);
        if (options_ & fsNoSize) {
            const PlacementRect current = GetWindowPlacement(Form()).normalPosition;
            SetRestoredPosition(Form(), WordOr(words, 0, current.left),
                                WordOr(words, 1, current.top));
        } else {
            RestoreRectangle(Form(), words, flags);
        }
    }
    RestoreRest(store, section);
}

void TFormState::RestoreRest(TAbstractStore& store, const AnsiString& section) {
    QWidget& form = Form();
    if (options_ & fsState)
        SetShowCommand(form, store.ReadInteger(section, "ShowCmd", WindowPlacement::ShowNormal));
    // "DefaultMonitor" has nothing to act on: the window system picks the monitor.
    if (options_ & fsColor)
        SetFormColor(form, store.ReadInteger(section, "Color", FormColor(form)));
    form.update();
    if (options_ & fsActiveControl) {
        auto* control =
            qobject_cast<QWidget*>(FindComponent(store.ReadString(section, "ActiveControl", "")));
        if (control && control->focusPolicy() != Qt::NoFocus && control->isEnabled())
            control->setFocus();
    }
    // A visible window needs no further placement: the toolkit has no maximised position of its
    // own to adjust, the window system decides where a maximised window goes.
}

void TFormState::DoSaveState() {
    if (!Storage()) return;
    TAbstractStore& store = *Storage();
    TAbstractStore::OpenScope open(store);
    const AnsiString section = EffectiveSection();
    QWidget& form = Form();
    // A minimised window reports ShowCmd 2 by itself; a toolkit main window is never an MDI child.
    const WindowPlacement placement = GetWindowPlacement(form);
    const PlacementRect& rect = placement.normalPosition;
    store.WriteInteger(section, "Flags", std::int32_t(placement.flags));
    store.WriteInteger(section, "ShowCmd", std::int32_t(placement.showCmd));
    store.WriteString(section, "NormalPos",
                      IntToStr(rect.left) + "," + IntToStr(rect.top) + "," + IntToStr(rect.right) +
                          "," + IntToStr(rect.bottom));
    store.WriteInteger(section, "PixelsPerInch", form.logicalDpiY());
    if (options_ & fsDefaultMonitor)
        store.WriteInteger(section, "DefaultMonitor", kDefaultMonitorActiveForm);
    store.WriteInteger(section, "Color", FormColor(form));
    if (options_ & fsActiveControl) {
        if (const QWidget* focus = form.focusWidget())
            store.WriteString(section, "ActiveControl", FromQString(focus->objectName()));
    }
}

}  // namespace tuvako
