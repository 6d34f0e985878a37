// The scan of the current folder for the TMD frames of an animation.
#ifndef PACKER_FOLDER_SCAN_H_
#define PACKER_FOLDER_SCAN_H_

#include <string>

namespace morphon {

/// True when `name` contains ".tmd" or ".TMD" anywhere (walk.tmd.bak is
/// taken, walk.Tmd is not).
bool IsTmdName(const std::string& name);

/// The frame order: ordinal comparison of the bytes with the ASCII letters
/// folded to upper case, the order an NTFS listing gives, so that the frames
/// come out alike on every system. Names equal under folding are ordered by
/// their unfolded bytes, so the order is total.
bool ComesBefore(const std::string& a, const std::string& b);

/// Lists folder `path` ("." for the run), walks its entries in frame order
/// printing the debug lines "%d %s\n" and, for each taken name, "<%s>\n",
/// and appends the TMD names to g_tmd_names (g_tmd_count follows). A folder
/// that cannot be listed takes the error exit.
void ScanFolder(const char* path);

}  // namespace morphon

#endif  // PACKER_FOLDER_SCAN_H_
