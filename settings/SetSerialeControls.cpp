#include "settings/SetSerialeControls.h"

#include "platform/Colors.h"
#include "platform/Design.h"
#include "platform/OptionStyle.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <map>

namespace {

constexpr quint32 MediumGrey = 0x808080;
constexpr quint32 Yellow = 0x00FFFF;

const QString Arial = QStringLiteral("Arial");

using Design::Box;

// Creates controls in their containers and remembers their tab indices, so the focus
// chain can follow them once every control exists.
class Builder {
public:
    explicit Builder(QWidget* dialog) : m_dialog(dialog), m_optionStyle(new OptionStyle) {
        m_optionStyle->setParent(dialog);
    }

    template <class Control>
    Control* make(QWidget* container, const QString& name, const QString& caption, Box box,
                  int tabIndex) {
        return place(new Control(caption, container), name, box, tabIndex);
    }

    template <class Control>
    Control* place(Control* control, const QString& name, Box box, int tabIndex) {
        control->setObjectName(name);
        Design::place(control, box.left, box.top, box.width, box.height);
        m_tabOrder[tabIndex] = control;
        return control;
    }

    QGroupBox* frame(const QString& name, const QString& caption, Box box, int tabIndex) {
        auto* frame = make<QGroupBox>(m_dialog, name, caption, box, tabIndex);
        Colors::setBackColor(frame, MediumGrey);
        Colors::setForeColor(frame, Colors::DarkGrey);
        return frame;
    }

    QRadioButton* option(QGroupBox* frame, const QString& name, const QString& caption, Box box,
                         int tabIndex) {
        auto* option = make<QRadioButton>(frame, name, caption, box, tabIndex);
        option->setStyle(m_optionStyle);
        option->setFont(Design::font(Arial, 8.25));
        Colors::setBackColor(option, MediumGrey);
        Colors::setForeColor(option, Colors::DarkGrey);
        return option;
    }

    QPushButton* button(const QString& name, const QString& caption, Box box, int tabIndex,
                        const QString& family) {
        auto* button = make<QPushButton>(m_dialog, name, caption, box, tabIndex);
        button->setFont(Design::font(family, 8.25));
        return button;
    }

    // Frames take no focus, so they stay out of the chain.
    void chainTabOrder() const {
        QWidget* previous = nullptr;
        for (const auto& [index, control] : m_tabOrder) {
            if (control->focusPolicy() == Qt::NoFocus)
                continue;
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }

private:
    QWidget* m_dialog;
    OptionStyle* m_optionStyle;
    std::map<int, QWidget*> m_tabOrder;
};

} // namespace

SetSerialeControls::SetSerialeControls(QWidget* dialog) {
    Builder b(dialog);
    dialog->setFont(Design::font(QStringLiteral("MS Sans Serif"), 8.25));
    Colors::setBackColor(dialog, MediumGrey);

    OKButton = b.button("OKButton", "OK", {4065, 480, 900, 375}, 0, "Arial Black");
    CancelButton = b.button("CancelButton", "Cancel", {4065, 915, 900, 375}, 1, "Arial Black");
    AdvButton = b.button("AdvButton", "Advan", {4050, 45, 900, 375}, 37, "Arial Narrow");
    // Its place follows the layout (see SetSeriale::AdvButton_Click).
    CmdFind = b.button("CmdFind", "Find…", {4065, 1350, 900, 375}, 38, "Arial Black");

    Frame1 = b.frame("Frame1", "&Baud Rate", {195, 135, 3810, 975}, 2);
    Baud3 = b.option(Frame1, "Baud3", "300", {300, 240, 735, 255}, 3);
    Baud6 = b.option(Frame1, "Baud6", "600", {1140, 225, 615, 255}, 4);
    Baud12 = b.option(Frame1, "Baud12", "1200", {2040, 240, 735, 255}, 5);
    Baud192 = b.option(Frame1, "Baud192", "19200", {2880, 240, 795, 255}, 32);
    Baud24 = b.option(Frame1, "Baud24", "2400", {300, 600, 735, 255}, 6);
    Baud48 = b.option(Frame1, "Baud48", "4800", {1140, 600, 735, 255}, 7);
    Baud96 = b.option(Frame1, "Baud96", "9600", {2040, 600, 735, 255}, 8);
    Baud1152 = b.option(Frame1, "Baud1152", "115200", {2880, 585, 870, 255}, 33);

    Frame2 = b.frame("Frame2", "&Data Bits", {165, 1240, 1275, 615}, 9);
    Data7 = b.option(Frame2, "Data7", "7", {180, 240, 375, 255}, 10);
    Data8 = b.option(Frame2, "Data8", "8", {720, 240, 435, 255}, 11);

    Frame3 = b.frame("Frame3", "&Stop Bits", {1740, 1240, 1335, 615}, 12);
    Stop1 = b.option(Frame3, "Stop1", "1", {240, 240, 435, 255}, 13);
    Stop2 = b.option(Frame3, "Stop2", "2", {780, 240, 495, 255}, 14);

    Frame7 = b.frame("Frame7", "&Echo", {3300, 1240, 1455, 615}, 15);
    EchoOn = b.option(Frame7, "EchoOn", "On", {180, 300, 555, 195}, 16);
    EchoOff = b.option(Frame7, "EchoOff", "Off", {780, 240, 615, 315}, 17);

    Frame4 = b.frame("Frame4", "&Parity", {165, 2010, 1275, 1575}, 18);
    NoParity = b.option(Frame4, "NoParity", "None", {180, 300, 855, 255}, 19);
    OddParity = b.option(Frame4, "OddParity", "Odd", {180, 600, 735, 255}, 20);
    EvenParity = b.option(Frame4, "EvenParity", "Even", {180, 900, 855, 255}, 21);

    Frame6 = b.frame("Frame6", "&Com Port", {1740, 2010, 1335, 1575}, 22);
    Frame6->setFont(Design::font(Arial, 8.25, true));
    Colors::setForeColor(Frame6, Yellow);
    constexpr std::array<Box, 6> portBoxes{{{45, 195, 500, 252},
                                            {45, 525, 500, 252},
                                            {45, 840, 500, 252},
                                            {765, 195, 500, 252},
                                            {765, 525, 500, 252},
                                            {765, 840, 500, 252}}};
    constexpr std::array<int, 6> portTabs{29, 31, 34, 30, 28, 35};
    for (std::size_t i = 0; i < ComPort.size(); ++i) {
        ComPort[i] = b.option(Frame6, QStringLiteral("ComPort_%1").arg(i + 1), QString(),
                              portBoxes[i], portTabs[i]);
        ComPort[i]->setFont(Design::font(Arial, 8.25, true));
        Colors::setForeColor(ComPort[i], Yellow);
    }
    Combo1 = b.place(new QComboBox(Frame6), "Combo1", {375, 1185, 630, 390}, 36);
    Combo1->setEditable(true);
    // The list is the probe's to fill; a typed number only chooses.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setFont(Design::font("Arial Black", 9.75));

    Frame5 = b.frame("Frame5", "&Flow Control", {3300, 2010, 1455, 1575}, 23);
    NoFlow = b.option(Frame5, "NoFlow", "None", {180, 300, 855, 255}, 26);
    XonFlow = b.option(Frame5, "XonFlow", "Xon/Xoff", {180, 600, 1095, 255}, 24);
    RTSFlow = b.option(Frame5, "RTSFlow", "RTS", {180, 900, 735, 255}, 25);
    BothFlow = b.option(Frame5, "BothFlow", "Xon/RTS", {180, 1200, 1155, 255}, 27);

    bauds = {{Baud3, "300"},   {Baud6, "600"},   {Baud12, "1200"},   {Baud24, "2400"},
             {Baud48, "4800"}, {Baud96, "9600"}, {Baud192, "19200"}, {Baud1152, "115200"}};
    parities = {{NoParity, "N"}, {OddParity, "O"}, {EvenParity, "E"}};
    dataBits = {{Data7, "7"}, {Data8, "8"}};
    stopBits = {{Stop1, "1"}, {Stop2, "2"}};
    flows = {{NoFlow, "0"}, {XonFlow, "1"}, {RTSFlow, "2"}, {BothFlow, "3"}};
    for (const QList<Choice>* group : {&bauds, &dataBits, &stopBits, &parities, &flows})
        for (const Choice& choice : *group)
            lineOptions.append(choice.option);
    lineOptions << EchoOn << EchoOff;
    frames = {Frame1, Frame2, Frame3, Frame4, Frame5, Frame6, Frame7};
    // The echo frame reaches under Cancel; the buttons stay whole on top of it.
    for (QPushButton* button : {OKButton, CancelButton, AdvButton, CmdFind})
        button->raise();

    b.chainTabOrder();
}

QRadioButton* SetSerialeControls::matching(const QList<Choice>& choices, const QString& value) {
    for (const Choice& choice : choices)
        if (choice.value == value)
            return choice.option;
    return nullptr;
}
