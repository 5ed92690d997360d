#pragma once

#include "data/store/FileStore.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class ServerStore;
struct ServerSettings;

// A session on a data file. The program keeps one for the whole run and every
// window works through it; a window brings its data up to date by running its
// queries again, which it does when the session opens anew (a restore closes
// it, replaces the file and opens it again). Closing closes every row set
// open on it. Tools and tests open further sessions on other files.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    // The file to open; set while disconnected.
    void setConnectionString(const QString &path);
    QString filePath() const; // the file it opens: the data file when none was set

    // Keeps the file to this program for the session's life, a restore's
    // replacement included: taken at start, before the first opening, making
    // the file when there is none. Throws DataError naming the file and why
    // the program cannot have it. For the program's own session.
    void holdFile();

    // Connects, checking on the session's own handle that the file is a usable
    // data file, and announces opened(). Throws DataError naming the file and
    // the problem; a refused file is never written.
    void open();
    // As open(), first making a new data file when there is none (start-up).
    void openOrCreate();
    // Starts openOrCreate() on a worker thread: deriving the file's key is the
    // slowest step of a start, and the program sets itself up meanwhile. Nothing
    // else may use the session until finishOpening().
    void beginOpening();
    // Completes, on the calling thread, an opening begun by beginOpening(), or
    // runs openOrCreate() when none was begun. Throws as open() does.
    void finishOpening();
    void close(); // disconnects, closing the row sets on it
    bool isOpen() const;

    // A shop with several counters keeps the catalogue, the sales and the sold
    // lines on a server; the ticket being entered and the print settings stay
    // in the file. Set while disconnected.
    void useServer(const ServerSettings &settings);
    bool hasServer() const { return m_server != nullptr; }
    int counterNumber() const { return m_counter; } // 0 without a server
    QString serverUrl() const; // empty without a server

    // The counter's own file: the ticket being entered, the print settings,
    // the outbox.
    FileStore &file() { return m_file; }
    // The store that holds the given store's tables.
    DataStore &in(Store store);
    // Runs one statement on the counter's own file, as file().exec() does.
    // Connects first when needed (without announcing it).
    int exec(const QString &sql, const std::vector<QVariant> &params = {});

signals:
    void opened(); // by open(): everything on the file may have changed
    void aboutToClose();
    void saleQueued(); // a sale waits in the outbox for the server

private:
    FileStore m_file;
    std::unique_ptr<ServerStore> m_server; // set when the shop has a server
    int m_counter = 0;
};
