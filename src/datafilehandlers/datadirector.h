#ifndef DATADIRECTOR_H
#define DATADIRECTOR_H

#include <QString>

class ChannelListProvider;
class DataFileHandler;

// Chooses the file handler, keeps the working folder of a raw list, and runs open, save and merge with one
// result code each.
class DataDirector {
public:
    DataDirector();
    virtual ~DataDirector();
    DataDirector(const DataDirector &) = delete;
    DataDirector &operator=(const DataDirector &) = delete;

    int open(const QString &path, ChannelListProvider *document, const QString &country,
             DataFileHandler *presetHandler = nullptr);
    int save(ChannelListProvider *document, const QString &path, int formatCode);
    int merge(const QString &path, ChannelListProvider *document);

    // Keeps what the last open or merge installed (drops the snapshot of the previous state).
    void commit();
    // Brings back the handler, working folder and database the last open or merge replaced.
    void rollback();
    // Deletes the handler and removes the working folder.
    void close();
};

#endif
