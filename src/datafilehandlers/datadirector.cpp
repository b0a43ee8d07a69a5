#include "datafilehandlers/datadirector.h"

#include "core/resultcode.h"

// Placeholder until the handlers exist: every operation reports an unknown error.
DataDirector::DataDirector() = default;
DataDirector::~DataDirector() = default;

int DataDirector::open(const QString &, ChannelListProvider *, const QString &, DataFileHandler *) {
    return RC_UNKNOWN_ERROR;
}
int DataDirector::save(ChannelListProvider *, const QString &, int) {
    return RC_UNKNOWN_ERROR;
}
int DataDirector::merge(const QString &, ChannelListProvider *) {
    return RC_UNKNOWN_ERROR;
}
void DataDirector::commit() {}
void DataDirector::rollback() {}
void DataDirector::close() {}
