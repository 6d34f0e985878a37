// How a step of an export ends the whole export, for both plug-ins.
#ifndef GANNET_EXPORTLIB_EXPORT_STOP_H_
#define GANNET_EXPORTLIB_EXPORT_STOP_H_

#include <stdexcept>
#include <string>

namespace exportlib {

/// Thrown by a step that ends the export. The routine that started the
/// export catches it and shows message() to the user (the RSD export shows
/// nothing for an empty message: the user has already answered a question);
/// the output files close as the stack unwinds.
class ExportStop : public std::runtime_error {
 public:
  explicit ExportStop(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_EXPORT_STOP_H_
