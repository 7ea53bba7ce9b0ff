// Runs the receive-filter cases of data/receive_filter.cases, each on its own session
// against the test telnet server.
#include "session_fixture.h"

#include <QFile>
#include <QTimer>

#include <optional>

namespace wiretalk::testing {
namespace {

struct Step
{
    int line = 0;
    QByteArray verb;
    QList<QByteArray> words; // arguments before the bytes
    QByteArray bytes;
};

struct Case
{
    QByteArray name;
    QList<Step> steps;
};

// Hex bytes and "quoted text" into bytes.
QByteArray parseBytes(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text[i] == '"') {
            const qsizetype end = text.indexOf('"', i + 1);
            out.append(text.mid(i + 1, end - i - 1));
            i = end + 1;
        } else {
            out.append(static_cast<char>(text.mid(i, 2).toInt(nullptr, 16)));
            i += 2;
        }
    }
    return out;
}

QList<Case> loadCases()
{
    QFile file(QStringLiteral(WIRETALK_TEST_DATA "/receive_filter.cases"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    QList<Case> cases;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype space = line.indexOf(' ');
        Step step{lineNumber, space < 0 ? line : line.left(space), {}, {}};
        QByteArray rest = space < 0 ? QByteArray() : line.mid(space + 1);
        if (step.verb == "case") {
            cases.append({rest, {}});
            continue;
        }
        const int leadingWords = (step.verb == "read" || step.verb == "fail") ? 1 : 0;
        for (int w = 0; w < leadingWords; ++w) {
            const qsizetype cut = rest.indexOf(' ');
            step.words.append(cut < 0 ? rest : rest.left(cut));
            rest = cut < 0 ? QByteArray() : rest.mid(cut + 1);
        }
        if (step.verb == "send" || step.verb == "later" || step.verb == "read" || step.verb == "replies")
            step.bytes = parseBytes(rest);
        else
            step.words.append(rest);
        cases.last().steps.append(step);
    }
    return cases;
}

class CaseRunner : public ServedSession
{
public:
    void run(const Case &c)
    {
        const bool asynchronous = std::any_of(c.steps.begin(), c.steps.end(), [](const Step &s) {
            return s.verb == "mode" && s.words.value(0) == "async";
        });
        open(asynchronous);
        for (const Step &step : c.steps) {
            SCOPED_TRACE(QStringLiteral("line %1: %2")
                             .arg(step.line)
                             .arg(QString::fromLatin1(step.verb))
                             .toStdString());
            perform(step);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }

private:
    void perform(const Step &step)
    {
        const QByteArray word = step.words.value(0);
        if (step.verb == "binary") {
            TelnetSetOption(handle, kOptionBinary, word == "on");
        } else if (step.verb == "echo") {
            TelnetSetOption(handle, kOptionLocalEcho, word == "on");
        } else if (step.verb == "terminal") {
            TelnetSetTerminal(handle, word.constData());
        } else if (step.verb == "send") {
            serve(step.bytes);
        } else if (step.verb == "later") {
            // Runs from the event loop that the read's wait keeps turning.
            QTimer::singleShot(0, [this, bytes = step.bytes] { server.send(bytes); });
        } else if (step.verb == "close") {
            server.closeConnection();
            ASSERT_TRUE(server.waitForSent());
        } else if (step.verb == "read") {
            int result = 0;
            const QByteArray got = readBytes(word.toInt(), &result);
            EXPECT_EQ(result, step.bytes.size()) << "last error " << TelnetLastError();
            EXPECT_EQ(got.toHex(' '), step.bytes.toHex(' '));
        } else if (step.verb == "fail") {
            expectReadFails(word.toInt(), step.words.value(1).toInt());
        } else if (step.verb == "replies") {
            EXPECT_EQ(sentSinceLastCheck().toHex(' '), step.bytes.toHex(' '));
        } else if (step.verb == "lasterror") {
            EXPECT_EQ(TelnetLastError(), word.toInt());
        } else if (step.verb != "mode") {
            FAIL() << "unknown step " << step.verb.constData();
        }
    }
};

TEST(ReceiveFilter, CasesFromTheDataFile)
{
    const QList<Case> cases = loadCases();
    ASSERT_GT(cases.size(), 20);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        CaseRunner runner;
        runner.run(c);
    }
}

} // namespace
} // namespace wiretalk::testing
