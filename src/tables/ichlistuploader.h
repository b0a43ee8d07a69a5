#ifndef ICHLISTUPLOADER_H
#define ICHLISTUPLOADER_H

// Fills one table from one channel list, one row per step, so the caller can report progress and let
// pending events run between rows. Calling order: begin once, uploadNext while it returns true (the caller
// may stop early), finish once, then delete.
class IChListUploader {
public:
    virtual ~IChListUploader() = default;

    // Builds the next row; true while channels remain, false once the list is exhausted.
    virtual bool uploadNext() = 0;
    // Prepares the table: one row per channel, sorting suspended.
    virtual void begin() = 0;
    // Puts the table into its finished state: sorting back on, counters, column widths, default sort.
    virtual void finish() = 0;
};

#endif
