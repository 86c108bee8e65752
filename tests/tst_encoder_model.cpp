#include "tools/EncoderModel.h"

#include <QTest>

namespace {

constexpr quint64 kDefaultRange = 8192 * 16;

QByteArray run(EncoderModel& model, const QString& command, std::uint64_t travel = 0) {
    return QByteArray::fromStdString(model.execute(command.toStdString(), travel).bytes);
}

void runAll(EncoderModel& model, const QStringList& commands, std::uint64_t travel = 0) {
    for (const auto& command : commands)
        run(model, command, travel);
}

// The state without LAST and COMMANDS, which every command changes.
QByteArray settings(const EncoderModel& model) {
    QByteArrayList lines = QByteArray::fromStdString(model.stateText()).split('\n');
    lines.removeIf([](const QByteArray& line) {
        return line.startsWith("LAST=") || line.startsWith("COMMANDS=");
    });
    return lines.join('\n');
}

const QByteArray kAccepted("\r\n>\x11");
const QByteArray kUnknown("\r\n?\x11");
const QByteArray kBadValue("\r\n!?\x11");

} // namespace

class TestEncoderModel : public QObject {
    Q_OBJECT

private slots:
    void acceptedCommandSetsItsSetting_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("GRAY") << "BIN"
                              << "GRAY" << QByteArray("CODE=GRAY");
        QTest::newRow("BIN") << ""
                             << "BIN" << QByteArray("CODE=BIN");
        QTest::newRow("BCD") << ""
                             << "BCD" << QByteArray("CODE=BCD");
        QTest::newRow("CLW") << "EXTD"
                             << "CLW" << QByteArray("CNT=CLW");
        QTest::newRow("CCLW") << ""
                              << "CCLW" << QByteArray("CNT=CCLW");
        QTest::newRow("EXTD") << ""
                              << "EXTD" << QByteArray("CNT=EXTD");
        QTest::newRow("ODD") << ""
                             << "ODD" << QByteArray("PAR=ODD");
        QTest::newRow("EVEN") << ""
                              << "EVEN" << QByteArray("PAR=EVEN");
        QTest::newRow("POFF") << "ODD"
                              << "POFF" << QByteArray("PAR=POFF");
        QTest::newRow("DEV") << ""
                             << "DEV=7" << QByteArray("DEV=7");
        QTest::newRow("ADDR lowest") << "ADDR=9"
                                     << "ADDR=0" << QByteArray("ADDR=0");
        QTest::newRow("ADDR highest") << ""
                                      << "ADDR=255" << QByteArray("ADDR=255");
        QTest::newRow("PRST1 negative") << ""
                                        << "PRST1=-100" << QByteArray("PRST1=-100");
        QTest::newRow("PRST2") << ""
                               << "PRST2=123456" << QByteArray("PRST2=123456");
        QTest::newRow("OFST int32 min") << ""
                                        << "OFST=-2147483648" << QByteArray("OFST=-2147483648");
        QTest::newRow("NS lowest") << ""
                                   << "NS=1" << QByteArray("NS=1");
        QTest::newRow("NS highest") << ""
                                    << "NS=65536" << QByteArray("NS=65536");
        QTest::newRow("NR lowest") << ""
                                   << "NR=1" << QByteArray("NR=1");
        QTest::newRow("NR highest") << ""
                                    << "NR=4096" << QByteArray("NR=4096");
    }
    void acceptedCommandSetsItsSetting() {
        QFETCH(QString, before);
        QFETCH(QString, command);
        QFETCH(QByteArray, line);
        EncoderModel model;
        if (!before.isEmpty())
            run(model, before);
        QCOMPARE(run(model, command), kAccepted);
        QVERIFY2(settings(model).split('\n').contains(line), settings(model).constData());
    }

    void unknownWordChangesNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("empty") << "";
        QTest::newRow("unknown word") << "FOO";
        QTest::newRow("unknown word with value") << "FOO=1";
        QTest::newRow("lower case") << "gray";
        QTest::newRow("mixed case") << "Pos";
        QTest::newRow("longer word") << "GRAYX";
        QTest::newRow("prefix of a word") << "PRST";
        QTest::newRow("leading blank") << " POS";
        QTest::newRow("value word misspelt") << "NSX=5";
    }
    void unknownWordChangesNothing() {
        QFETCH(QString, command);
        EncoderModel model;
        const auto before = settings(model);
        QCOMPARE(run(model, command), kUnknown);
        QCOMPARE(settings(model), before);
    }

    void badValueChangesNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("ADDR above range") << "ADDR=256";
        QTest::newRow("ADDR negative") << "ADDR=-1";
        QTest::newRow("NS zero") << "NS=0";
        QTest::newRow("NS above range") << "NS=65537";
        QTest::newRow("NR zero") << "NR=0";
        QTest::newRow("NR above range") << "NR=4097";
        QTest::newRow("value missing") << "NS";
        QTest::newRow("value empty") << "NS=";
        QTest::newRow("trailing junk") << "NS=12a";
        QTest::newRow("leading blank") << "NS= 12";
        QTest::newRow("plus sign") << "NS=+5";
        QTest::newRow("fraction") << "OFST=1.5";
        QTest::newRow("OFST beyond int32") << "OFST=2147483648";
        QTest::newRow("beyond int64") << "PRST1=99999999999999999999";
        QTest::newRow("mode word with value") << "BIN=1";
        QTest::newRow("POS with value") << "POS=1";
        QTest::newRow("RST with value") << "RST=1";
        QTest::newRow("ZERO with empty value") << "ZERO=";
    }
    void badValueChangesNothing() {
        QFETCH(QString, command);
        EncoderModel model;
        const auto before = settings(model);
        QCOMPARE(run(model, command, 500), kBadValue);
        QCOMPARE(settings(model), before);
    }

    // The simulator's --refuse and --ignore faults.
    void faultyWordIsNotCarriedOut_data() {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("ignored");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("refused value") << "NS"
                                       << ""
                                       << "NS=4096" << kBadValue;
        QTest::newRow("refused mode") << "BIN"
                                      << ""
                                      << "BIN" << kBadValue;
        QTest::newRow("ignored value") << ""
                                       << "NR"
                                       << "NR=1" << kAccepted;
        QTest::newRow("ignored mode") << ""
                                      << "EVEN"
                                      << "EVEN" << kAccepted;
    }
    void faultyWordIsNotCarriedOut() {
        QFETCH(QString, refused);
        QFETCH(QString, ignored);
        QFETCH(QString, command);
        QFETCH(QByteArray, answer);
        EncoderModel model;
        model.setFaults(refused.toStdString(), ignored.toStdString());
        const auto before = settings(model);
        QCOMPARE(run(model, command), answer);
        QCOMPARE(settings(model), before);
        QCOMPARE(run(model, "ODD"), kAccepted); // other words work as ever
        QVERIFY(settings(model).contains("PAR=ODD"));
    }

    void listing_data() {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("defaults") << QStringList{}
                                  << QByteArray("\rCODE=GRAY\n\rCNT=CLW\n\rPAR=POFF\n\rZPV=0\n"
                                                "\rOFST=0\n\rNS=8192\n\rNR=16\n>\x11");
        QTest::newRow("changed, DEV and ADDR not listed")
            << QStringList{"BCD", "CCLW", "EVEN", "OFST=-5", "NS=360", "NR=2", "DEV=3", "ADDR=4"}
            << QByteArray("\rCODE=BCD\n\rCNT=CCLW\n\rPAR=EVEN\n\rZPV=0\n"
                          "\rOFST=-5\n\rNS=360\n\rNR=2\n>\x11");
        QTest::newRow("zeroed at 1000")
            << QStringList{"ZERO"}
            << QByteArray("\rCODE=GRAY\n\rCNT=CLW\n\rPAR=POFF\n"
                          "\rZPV=1000\n\rOFST=0\n\rNS=8192\n\rNR=16\n>\x11");
    }
    void listing() {
        QFETCH(QStringList, commands);
        QFETCH(QByteArray, expected);
        EncoderModel model;
        runAll(model, commands, 1000);
        QCOMPARE(run(model, "STP", 1000), expected);
    }

    void position_data() {
        QTest::addColumn<QStringList>("commands"); // run at travel 1000
        QTest::addColumn<quint64>("travel");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("start") << QStringList{} << quint64(0) << QByteArray("\r0\n>\x11");
        QTest::newRow("turning") << QStringList{} << quint64(1234) << QByteArray("\r1234\n>\x11");
        QTest::newRow("one full range")
            << QStringList{} << kDefaultRange << QByteArray("\r0\n>\x11");
        QTest::newRow("wrapped") << QStringList{} << kDefaultRange + 7 << QByteArray("\r7\n>\x11");
        QTest::newRow("smaller range")
            << QStringList{"NS=100", "NR=2"} << quint64(250) << QByteArray("\r50\n>\x11");
        QTest::newRow("offset added")
            << QStringList{"OFST=10"} << quint64(5) << QByteArray("\r15\n>\x11");
        QTest::newRow("negative offset wraps")
            << QStringList{"OFST=-3"} << quint64(1) << QByteArray("\r131070\n>\x11");
        QTest::newRow("offset beyond range wraps")
            << QStringList{"NS=10", "NR=1", "OFST=10"} << quint64(5) << QByteArray("\r5\n>\x11");
        QTest::newRow("after ZERO")
            << QStringList{"ZERO"} << quint64(1500) << QByteArray("\r500\n>\x11");
        QTest::newRow("behind the zero point")
            << QStringList{"ZERO"} << kDefaultRange + 900 << QByteArray("\r130972\n>\x11");
        QTest::newRow("ZERO then offset")
            << QStringList{"ZERO", "OFST=5"} << quint64(1000) << QByteArray("\r5\n>\x11");
    }
    void position() {
        QFETCH(QStringList, commands);
        QFETCH(quint64, travel);
        QFETCH(QByteArray, expected);
        EncoderModel model;
        runAll(model, commands, 1000);
        QCOMPARE(run(model, "POS", travel), expected);
    }

    void resetRestoresEveryDefault() {
        EncoderModel model;
        const auto defaults = settings(model);
        runAll(model,
               {"BIN", "EXTD", "ODD", "ZERO", "OFST=9", "NS=10", "NR=3", "DEV=2", "ADDR=8",
                "PRST1=4", "PRST2=5"},
               77);
        QCOMPARE(run(model, "RST"), kAccepted);
        QCOMPARE(settings(model), defaults);
    }

    // The end-to-end tests read this file; rejected commands count too.
    void stateTextFormat() {
        EncoderModel model;
        runAll(model, {"FOO", "NS=0", "ADDR=5"});
        QCOMPARE(QByteArray::fromStdString(model.stateText()),
                 QByteArray("CODE=GRAY\nCNT=CLW\nPAR=POFF\nZPV=0\nOFST=0\nNS=8192\nNR=16\nDEV=0\n"
                            "ADDR=5\nPRST1=0\nPRST2=0\nLAST=ADDR=5\nCOMMANDS=3\n"));
    }
};

QTEST_APPLESS_MAIN(TestEncoderModel)
#include "tst_encoder_model.moc"
