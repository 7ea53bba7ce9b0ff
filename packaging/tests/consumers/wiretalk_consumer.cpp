// A program built against the installed Wiretalk: creates the control from its ProgID, as
// linkset does, connects to HOST PORT and prints "connected" once the Connect event came.
#include <wiretalk/telnet_client.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: wiretalk_consumer HOST PORT\n");
        return 2;
    }
    QString error;
    wiretalk::TelnetClient *client =
        wiretalk::CreateTelnetClient(QString::fromLatin1(wiretalk::kTelnetClientProgId), &app, &error);
    if (client == nullptr) {
        std::fprintf(stderr, "no control: %s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(client, &wiretalk::TelnetClientEvents::Connect, &app, [] {
        std::puts("connected");
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(10000, &app, [] {
        std::fprintf(stderr, "no Connect event within 10 s\n");
        QCoreApplication::exit(1);
    });
    try {
        client->setHostAddress(QString::fromLocal8Bit(argv[1]));
        client->setRemotePort(QString::fromLocal8Bit(argv[2]).toInt());
        client->Connect();
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "connect failed: %s\n", failure.what());
        return 1;
    }
    return QCoreApplication::exec();
}
