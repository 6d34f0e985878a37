// The few places where the batch tool's RSD export has always differed from
// the host's, as one value that the export routine and its writers share.
#ifndef GANNET_EXPORTER_RSD_EXPORT_OPTIONS_H_
#define GANNET_EXPORTER_RSD_EXPORT_OPTIONS_H_

namespace exporter {

/// Where the batch tool's export differs from the host's. The caller chooses
/// the object by index in both cases, and the launch mode is a plain argument
/// (the host's export always passes kLaunchAsk), so neither needs an option.
struct RsdExportOptions {
  /// true: every coordinate is multiplied by 10 × scale (the host's export,
  /// whose default scale 1.0 gives 10); false: by the scale as given (batch).
  bool scale_times_ten = true;
  /// true: the MAT file gets a "# " comment line with the convert command of
  /// each converted texture before the img2tim one; false: only the img2tim
  /// line (batch).
  bool write_convert_comment = true;
  /// true: a material with a colour "Transparency" parameter gets img2tim's
  /// " -t " option (batch); false: the command never carries it.
  bool transparency_tim_option = false;
  /// true: a colour "Transparency" parameter adds 4 and 16, 32 or 64 (first
  /// positive channel of red, green, blue) to the MAT light flag (batch). The
  /// material conflict warning is raised only when the flag is exactly 0, so
  /// with these additions a transparent material never raises it.
  bool transparency_light_flag = false;

  /// The host's export ("Gannet").
  static constexpr RsdExportOptions ForExporter() { return {}; }
  /// The batch tool's variant ("Skerry").
  static constexpr RsdExportOptions ForBatchTool() {
    return {.scale_times_ten = false,
            .write_convert_comment = false,
            .transparency_tim_option = true,
            .transparency_light_flag = true};
  }
};

}  // namespace exporter

#endif  // GANNET_EXPORTER_RSD_EXPORT_OPTIONS_H_
