#include "data/store/Session.h"

#include "data/store/ServerSettings.h"
#include "data/store/ServerStore.h"

Session::Session(QObject *parent)
    : QObject(parent)
{ }

Session::~Session()
{
    close();
}

void Session::setConnectionString(const QString &path)
{
    m_file.setPath(path);
}

QString Session::filePath() const
{
    return m_file.path();
}

void Session::holdFile()
{
    m_file.hold();
}

void Session::open()
{
    if (m_file.isOpen())
        return;
    m_file.open();
    emit opened();
}

void Session::openOrCreate()
{
    if (m_file.isOpen())
        return;
    m_file.openOrCreate();
    emit opened();
}

void Session::beginOpening()
{
    m_file.beginOpening();
}

void Session::finishOpening()
{
    if (m_file.isOpen())
        return;
    m_file.finishOpening();
    emit opened();
}

void Session::close()
{
    if (!m_file.isOpen())
        return;
    emit aboutToClose();
    m_file.close();
}

bool Session::isOpen() const
{
    return m_file.isOpen();
}

void Session::useServer(const ServerSettings &settings)
{
    m_server = std::make_unique<ServerStore>(settings.url);
    m_file.keepCounterTables();
    m_counter = settings.counter;
}

QString Session::serverUrl() const
{
    return m_server ? m_server->url() : QString();
}

DataStore &Session::in(Store store)
{
    if (store == Store::Shared && m_server)
        return *m_server;
    return m_file;
}

int Session::exec(const QString &sql, const std::vector<QVariant> &params)
{
    return m_file.exec(sql, params);
}
