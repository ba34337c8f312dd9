// Widgets with Qt properties for the state keeper tests: a panel with a colour word and a form.
#pragma once

#include <QStringList>
#include <QWidget>

#include <stdexcept>

namespace tuvako::test {

// The font-like part of a panel: a QObject-valued property with properties of its own.
class PanelFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Size MEMBER size)
    Q_PROPERTY(QString Name MEMBER name)

public:
    using QObject::QObject;
    int size = 8;
    QString name = "Sans";
};

// Stands in for the terminal's panels: Color holds a colour word 0x00BBGGRR (system colours
// negative), and a few properties of other kinds.
class StatePanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(Alignment Align MEMBER align)
    Q_PROPERTY(Anchors Anchored READ Anchored WRITE SetAnchored)
    Q_PROPERTY(bool Flat MEMBER flat)
    Q_PROPERTY(double Ratio MEMBER ratio)
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_PROPERTY(QChar Accelerator MEMBER accelerator)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(QObject* Font READ Font)

public:
    enum Alignment { alNone, alTop, alBottom, alClient };
    Q_ENUM(Alignment)
    enum Anchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
    Q_DECLARE_FLAGS(Anchors, Anchor)
    Q_FLAG(Anchors)

    StatePanel(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

    int Color() const { return color_; }
    void SetColor(int color) {
        if (refuseColors) throw std::runtime_error("colour refused");
        color_ = color;
    }
    QObject* Font() { return &font_; }
    Anchors Anchored() const { return anchors; }
    void SetAnchored(Anchors value) { anchors = value; }

    bool refuseColors = false;
    Alignment align = alNone;
    Anchors anchors = {akLeft, akTop};
    bool flat = false;
    double ratio = 0.5;
    QString caption;
    QChar accelerator;
    QStringList lines;
    PanelFont font_{this};

private:
    int color_ = -2147483633;  // button face
};

// A top-level window with the colour of a form.
class StateForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Color MEMBER color)

public:
    StateForm() {
        setGeometry(332, 113, 704, 528);  // the designed place and size
    }
    int color = -2147483633;
};

}  // namespace tuvako::test
