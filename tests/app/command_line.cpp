// The command line: --version and --help answer before anything else, one
// file is opened, an unknown option is refused.
#include "app/command_line.h"

#include <QTest>

using namespace traxilo;

Q_DECLARE_METATYPE(CommandLine::Action)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
};

void CommandLineTest::read_data() {
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QString>("file");
    using A = CommandLine::Action;
    QTest::newRow("nothing") << QStringList{} << A::Run << QString();
    QTest::newRow("a clip") << QStringList{"/v/chute.avi"} << A::Run << "/v/chute.avi";
    QTest::newRow("the first file only") << QStringList{"a.trx", "b.avi"} << A::Run << "a.trx";
    QTest::newRow("version") << QStringList{"--version"} << A::Version << QString();
    QTest::newRow("version after a file")
        << QStringList{"a.avi", "--version"} << A::Version << QString();
    // Qt's own options are still there before QApplication takes them out.
    QTest::newRow("version among Qt's options")
        << QStringList{"-platform", "offscreen", "--version"} << A::Version << QString();
    QTest::newRow("help") << QStringList{"--help"} << A::Help << QString();
    QTest::newRow("short help") << QStringList{"-h"} << A::Help << QString();
    QTest::newRow("unknown option") << QStringList{"--vesrion"} << A::Error << QString();
    QTest::newRow("a file named like an option, after --")
        << QStringList{"--", "-clip.avi"} << A::Run << "-clip.avi";
    QTest::newRow("a lone dash is a name") << QStringList{"-"} << A::Run << "-";
}

void CommandLineTest::read() {
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, file);
    arguments.prepend(QStringLiteral("traxilo"));
    const CommandLine line = readCommandLine(arguments);
    QCOMPARE(line.action, action);
    QCOMPARE(line.file, file);
    QCOMPARE(line.error.isEmpty(), action != CommandLine::Action::Error);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line.moc"
