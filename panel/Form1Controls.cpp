#include "panel/Form1Controls.h"

#include "link/Catalogue.h"
#include "platform/Colors.h"
#include "platform/Design.h"
#include "platform/FramePictures.h"

#include "platform/LinePictures.h"
#include "platform/MouseUpCheckBox.h"
#include "platform/OptionStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string_view>

namespace {

const QString SansSerif = QStringLiteral("MS Sans Serif");
const QString Perpetua = QStringLiteral("Perpetua");

using Design::Box;

template <class Control>
Control* make(QWidget* form, const QString& name, const QString& text, Box box) {
    auto* control = new Control(text, form);
    control->setObjectName(name);
    Design::place(control, box.left, box.top, box.width, box.height);
    return control;
}

// Device text must never be taken for markup.
QLabel* label(QWidget* form, const QString& name, const QString& text, Box box) {
    auto* control = make<QLabel>(form, name, text, box);
    control->setTextFormat(Qt::PlainText);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + u'_' + QString::number(index);
}

struct CommandPlace {
    const char* word;
    Box box;
};

// Where each command's button stands; the buttons themselves come from the catalogue.
constexpr std::array<CommandPlace, 20> CommandPlaces{{
    {"DEV", {180, 60, 765, 375}},     {"ADDR", {1440, 60, 765, 375}},
    {"RST", {840, 720, 885, 375}},    {"GRAY", {120, 1320, 765, 375}},
    {"BIN", {900, 1320, 765, 375}},   {"BCD", {1680, 1320, 765, 375}},
    {"CLW", {90, 1860, 765, 375}},    {"CCLW", {900, 1860, 765, 375}},
    {"EXTD", {1680, 1860, 765, 375}}, {"ODD", {120, 2400, 765, 375}},
    {"EVEN", {900, 2400, 765, 375}},  {"POFF", {1680, 2400, 765, 375}},
    {"PRST1", {120, 3360, 765, 375}}, {"PRST2", {120, 3840, 765, 375}},
    {"OFST", {2775, 1650, 765, 375}}, {"NS", {2760, 2400, 765, 375}},
    {"ZERO", {6345, 1635, 765, 375}}, {"NR", {5040, 2400, 765, 375}},
    {"POS", {2760, 945, 765, 375}},   {"STP", {6345, 945, 765, 375}},
}};

Box placeOf(const char* word) {
    for (const CommandPlace& place : CommandPlaces)
        if (std::string_view(place.word) == word)
            return place.box;
    return {};
}

struct ResultPlace {
    const char* caption;
    Box label;
    Box box;
};

constexpr std::array<ResultPlace, 6> Results{{
    {"4096 / NR", {3240, 2940, 1035, 195}, {2880, 3180, 1695, 285}},
    {"Full  zone revolutions", {2700, 3585, 1095, 375}, {3780, 3660, 795, 285}},
    {"Full zone pulses", {4755, 2925, 1335, 255}, {4740, 3180, 1215, 285}},
    {"Red zone pulses", {5880, 3660, 1335, 255}, {4740, 3660, 1095, 285}},
    {"Red zone compl.", {5880, 3960, 1335, 255}, {4740, 3960, 1095, 285}},
    {"Remaining", {2700, 4020, 1095, 195}, {3780, 3960, 795, 285}},
}};

} // namespace

Form1Controls::Form1Controls(QWidget* form) {
    form->setFont(Design::font(SansSerif, 8.25)); // for every control not given its own
    const QFont commandFont = Design::font(SansSerif, 8.25, true);
    const QFont valueFont = Design::font(SansSerif, 13.5, true);

    Label1 = label(form, "Label1", "Echo", {2640, 120, 435, 195});
    TxtSended = make<QLineEdit>(form, "TxtSended", "", {3120, 60, 1395, 345});
    Colors::setBackColor(TxtSended, Colors::LightGrey);
    auto* framePictures = new FramePictures;
    framePictures->setParent(form);
    TxtSended->setStyle(framePictures); // it repaints twice an exchange
    Label2 = label(form, "Label2", "Received", {3120, 405, 3270, 375});
    Label2->setWordWrap(true);
    Label2->hide();
    LblTx = label(form, "LblTx", "Tx", {4530, 60, 255, 195});
    LblRx = label(form, "LblRx", "Rx", {6240, 60, 255, 195});
    for (QLabel* lamp : {LblTx, LblRx}) {
        Colors::setForeColor(lamp, 65535);
        Colors::setBackColor(lamp, 255);
        lamp->hide();
    }
    LblReceived = label(form, "LblReceived", "", {6510, 15, 675, 555});
    LblReceived->setFont(Design::font(SansSerif, 24, true));
    LblAct = label(form, "LblAct", "", {7200, 60, 2115, 255});
    LblAct->setFont(Design::font(Perpetua, 8.25, true));
    Colors::setBackColor(LblAct, 12640511);
    LblBack = label(form, "LblBack", "", {7200, 300, 2115, 3975});
    LblBack->setFont(Design::font(Perpetua, 8.25));
    LblPos = label(form, "LblPos", "", {3570, 945, 1500, 390});
    LblPos->setFont(valueFont);
    LblZPV = label(form, "LblZPV", "", {5190, 1650, 1140, 300});
    // What shows the same texts again and again while polling; LblAct also overlaps the
    // history's top row. The position changes with every read, so it gains nothing.
    for (QLabel* repeating : {LblTx, LblRx, LblAct, LblBack, LblReceived})
        new LinePictures(repeating);

    for (std::size_t i = 0; i < Catalogue::Commands.size(); ++i) {
        const char* word = Catalogue::Commands[i].word;
        CmdPuls[i] = make<QPushButton>(form, indexed("CmdPuls", int(i)), QString::fromLatin1(word),
                                       placeOf(word));
        CmdPuls[i]->setFont(commandFont);
    }
    TxtDEV = make<QLineEdit>(form, "TxtDEV", "0", {960, 60, 435, 375});
    TxtPRST1 = make<QLineEdit>(form, "TxtPRST1", "", {960, 3360, 1155, 375});
    TxtPRST2 = make<QLineEdit>(form, "TxtPRST2", "", {960, 3840, 1155, 375});
    TxtOFST = make<QLineEdit>(form, "TxtOFST", "", {3585, 1650, 1515, 375});
    TxtNS = make<QLineEdit>(form, "TxtNS", "", {3600, 2400, 1155, 375});
    TxtNR = make<QLineEdit>(form, "TxtNR", "", {5880, 2400, 1155, 375});
    for (QLineEdit* box : {TxtDEV, TxtPRST1, TxtPRST2, TxtOFST, TxtNS, TxtNR})
        box->setFont(valueFont);

    CmdNS4096 = make<QPushButton>(form, "CmdNS4096", "4096", {3600, 2220, 495, 195});
    CmdNS8192 = make<QPushButton>(form, "CmdNS8192", "8192", {4260, 2220, 495, 195});
    CmdNR1 = make<QPushButton>(form, "CmdNR1", "1", {5880, 2220, 495, 195});
    CmdNR4096 = make<QPushButton>(form, "CmdNR4096", "4096", {6540, 2220, 495, 195});
    for (int i = 0; i < int(Results.size()); ++i) {
        const auto& place = Results[std::size_t(i)];
        auto* box = make<QLineEdit>(form, indexed("TxtResult", i), "", place.box);
        box->setFont(Design::font(SansSerif, 9.75, true));
        Colors::setBackColor(box, 14737632);
        TxtResult[std::size_t(i)] = box;
        LblRes[std::size_t(i)] =
            label(form, indexed("LblRes", i), QString::fromLatin1(place.caption), place.label);
        LblRes[std::size_t(i)]->setWordWrap(true);
    }

    ChkCont = make<MouseUpCheckBox>(form, "ChkCont", "Cont", {5115, 795, 645, 360});
    ChkCont->setFont(commandFont);
    auto* smallIndicator = new OptionStyle;
    smallIndicator->setParent(form);
    ChkCont->setStyle(smallIndicator);
    TxtCont = make<QLineEdit>(form, "TxtCont", "2", {5115, 1155, 630, 240});
    Label3 = label(form, "Label3", "delay", {5220, 1395, 420, 240});

    Command1 = make<QPushButton>(form, "Command1", "Serial line", {5130, 15, 945, 330});
}

QPushButton* Form1Controls::command(const char* word) const {
    return CmdPuls.at(std::size_t(Catalogue::indexOf(QString::fromLatin1(word))));
}
