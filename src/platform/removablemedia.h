#ifndef REMOVABLEMEDIA_H
#define REMOVABLEMEDIA_H

#include <QString>

#include <functional>

// Tells whether a folder lies on a removable drive (a USB stick, a memory card). The save dialog
// greys out its folder views there, because listing a slow stick made the dialog hang.
//
// On Linux the answer comes from sysfs: the block device that holds the folder's file system, mapped
// from a partition to its whole disk, and that disk's "removable" flag. Anything that cannot be
// judged (a network or virtual file system, a missing folder, another platform) counts as fixed.
class RemovableMedia {
public:
    using Judge = std::function<bool(const QString &folder)>;

    static bool isOnRemovableDrive(const QString &folder);

    // Tests replace the system query with their own answer; an empty judge restores the system query.
    static void setJudge(Judge judge);

    // The sysfs look-up for the block device major:minor below sysRoot (normally "/sys"): the
    // partition's whole disk is asked for its "removable" flag.
    static bool isRemovableBlockDevice(const QString &sysRoot, unsigned int major, unsigned int minor);

private:
    static Judge &judge();
};

#endif // REMOVABLEMEDIA_H
