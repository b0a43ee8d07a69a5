#ifndef FILESYNC_H
#define FILESYNC_H

class QFileDevice;

// Moves every byte the file still buffers to the operating system and the file to the disk, and reports
// whether all of it got there. A finished file must be on disk before it replaces the user's file, and a
// write that fails only now (a full disk, a size limit) must be seen: QSaveFile::commit() flushes and syncs
// too, but ignores both failures.
bool syncToDisk(QFileDevice &file);

#endif // FILESYNC_H
