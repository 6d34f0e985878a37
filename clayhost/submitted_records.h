// Copies of the description records that a plug-in hands to SubmitInfo,
// checked for kind and size, and their printed form.
#ifndef GANNET_CLAYHOST_SUBMITTED_RECORDS_H_
#define GANNET_CLAYHOST_SUBMITTED_RECORDS_H_

#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "clayhost/host_callbacks.h"

namespace clayhost {

/// The export during which SubmitInfo was called; it decides which record
/// each kind stands for.
enum class DescriptionCall { kPluginInfo, kExporterInfo, kToolInfo };

/// The record types a plug-in describes itself with.
enum class RecordType { kPluginInfo, kExporterInfo, kExporterOptions, kToolInfo };

/// One submitted record, copied with the texts its pointers named.
struct SubmittedRecord {
  SubmitCall call;  // record pointer cleared: the plug-in's record is gone
  RecordType type = RecordType::kPluginInfo;
  std::vector<std::uint8_t> bytes;
  /// The texts of the record's text pointers in field order; nullopt for null.
  std::vector<std::optional<std::string>> texts;

  /// The record's fields (its pointers still name the plug-in's memory).
  template <typename Record>
  Record As() const {
    Record record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
  }
};

/// Copies the record of `call` made during `during`. When its kind does not
/// belong to that call, its size is not the record's or it is null, returns
/// nullopt and sets `*problem`.
std::optional<SubmittedRecord> CopySubmission(const SubmitCall& call, DescriptionCall during,
                                              std::string* problem);

/// The record's type name and every field as "name = value" lines, each line
/// starting with `indent`: integers in decimal, handles in hex, floats with
/// their bits, texts quoted with C escapes, reserved bytes in hex.
void PrintRecord(const SubmittedRecord& record, std::ostream& out, const std::string& indent);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_SUBMITTED_RECORDS_H_
