#include "packer/tmd_frames.h"

#include <limits>
#include <new>

#include "packer/error_exit.h"
#include "packer/os_files.h"
#include "packer/run_settings.h"
#include "packer/svector.h"

namespace morphon {
namespace {

constexpr std::uint32_t kObjectTableStart = kTmdHeaderSize;
constexpr std::size_t kTmdPrefixSize = kTmdHeaderSize + kTmdObjectSize;
constexpr char kShortFirstBlock[] =
    " Failed to read 1st %s TMD doesn't have the same amount of verts/normals as the first TMD.";

// Linux opens folders for reading, and a named pipe waits for a writer for
// ever: only a regular file is a frame.
FileHandle OpenSource(const std::string& name) {
  FileHandle file(OpenRegularFile(name.c_str()));
  if (file) {
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
  }
  return file;
}

TmdObject DecodeObject(const std::uint8_t* entry) {
  TmdObject object;
  object.vert_top = LoadU32(entry + tmdlayout::kVertTopAt);
  object.n_vert = LoadU32(entry + tmdlayout::kNVertAt);
  object.normal_top = LoadU32(entry + tmdlayout::kNormalTopAt);
  object.n_normal = LoadU32(entry + tmdlayout::kNNormalAt);
  object.primitive_top = LoadU32(entry + tmdlayout::kPrimitiveTopAt);
  object.n_primitive = LoadU32(entry + tmdlayout::kNPrimitiveAt);
  object.scale = static_cast<std::int32_t>(LoadU32(entry + tmdlayout::kScaleAt));
  return object;
}

void PrintField(const char* format, std::uint32_t value) {
  debug_print(format, value, AsInt(value));
}

// A block's size per entry, shown as 0 for a block without entries.
std::uint32_t SizePerEntry(std::uint32_t size, std::uint32_t count) {
  return count == 0 ? 0 : size / count;
}

}  // namespace

FrameBuffer AllocateFrameBuffer(std::size_t size, const std::string& file) {
  FrameBuffer buffer(new (std::nothrow) std::uint8_t[size]);
  if (!buffer) {
    exit_with_error("not enough memory for the frame buffers", file.c_str());
  }
  return buffer;
}

FirstTmd::FirstTmd(const std::string& name) : name_(name), file_(OpenSource(name)) {
  if (!file_) {
    exit_with_error("\n Error failed to open", name_.c_str());
  }
  const std::optional<std::uint64_t> size = FileSize(file_.get());
  if (!size) {
    exit_with_error("failed to tell the size of the TMD file.", name_.c_str());
  }
  if (*size > std::numeric_limits<std::uint32_t>::max()) {
    exit_with_error("TMD file is larger than 4 GB.", name_.c_str());
  }
  layout_.total_size = static_cast<std::uint32_t>(*size);
  debug_print(" 1st TMD total_size %d \n", AsInt(layout_.total_size));
  ReadHeaderAndObject();
  DeriveLayout();
  PrintLayoutReport();
  CheckLayout();
}

void FirstTmd::ReadHeaderAndObject() {
  std::uint8_t prefix[kTmdPrefixSize] = {};
  if (std::fread(prefix, 1, kTmdPrefixSize, file_.get()) != kTmdPrefixSize) {
    exit_with_error("TMD file is shorter than its 40-byte header and object entry.", name_.c_str());
  }
  id_ = LoadU32(prefix);
  flag_ = LoadU32(prefix + 4);
  noobj_ = LoadU32(prefix + 8);
  object_ = DecodeObject(prefix + kTmdHeaderSize);

  debug_print(" header as read from file!\n\n");
  PrintField("header id 0x%0x %d\n", id_);
  PrintField("header flag 0x%0x %d\n", flag_);
  PrintField("header noobj 0x%0x %d\n", noobj_);
  PrintField("object vert_top 0x%0x %d\n", object_.vert_top);
  PrintField("object n_vert 0x%0x %d\n", object_.n_vert);
  PrintField("object normal_top 0x%0x %d\n", object_.normal_top);
  PrintField("object n_normal 0x%0x %d\n", object_.n_normal);
  PrintField("object primitive_top 0x%0x %d\n", object_.primitive_top);
  PrintField("object n_primitive 0x%0x %d\n", object_.n_primitive);
  PrintField("object scale 0x%0x %d\n", static_cast<std::uint32_t>(object_.scale));
}

void FirstTmd::DeriveLayout() {
  layout_.vert_start = object_.vert_top + kObjectTableStart;
  layout_.vert_size = object_.normal_top - object_.vert_top;
  layout_.n_vert = object_.n_vert;
  if (g_normals) {
    layout_.n_vertandnorm_size = layout_.total_size - object_.vert_top - kObjectTableStart;
    // Computed wide: a count of 2^29 normals must not wrap to "no normals".
    const std::uint64_t norm_size = std::uint64_t{object_.n_normal} * kSvectorSize;
    layout_.norm_size = static_cast<std::uint32_t>(norm_size);
    layout_.n_normal = object_.n_normal;
    debug_print("\nUsing normals obj.n_normal  %d \n", AsInt(object_.n_normal));
    debug_print("\n n_vertandnorm_size %d  norm_size %d \n", AsInt(layout_.n_vertandnorm_size),
                AsInt(layout_.norm_size));
    if (norm_size == 0) {
      file_.reset();
      exit_with_error(
          "No normal data in TMD! re-export TMD with normals (Specular in MarbleCLay) or use "
          "morphon -NN ",
          name_.c_str());
    }
  } else {
    object_.n_normal = 0;
    layout_.n_normal = 0;
    layout_.n_vertandnorm_size = layout_.vert_size;
    layout_.norm_size = 0;
  }
}

void FirstTmd::PrintLayoutReport() const {
  const TmdObject& o = object_;
  debug_print("\n\n header correct ordered with info\n");
  PrintField("\nheader id 0x%0x %d\n", id_);
  PrintField("header flag 0x%0x %d\n", flag_);
  PrintField("header noobj 0x%0x %d\n", noobj_);
  debug_print("\n");
  debug_print(
      "3 longs = %d bytes - numbers below start after here and dont include the header!\n\n",
      AsInt(kObjectTableStart));

  const std::uint32_t primitive_size = o.vert_top - o.primitive_top;
  debug_print(
      "primative block start location from hdr: %d includes object table(%d) but from zero = %d \n",
      AsInt(o.primitive_top), AsInt(kTmdObjectSize), AsInt(o.primitive_top + kObjectTableStart));
  debug_print(
      "each primative block is %d bytes: primative size=  %d  ending primitive location +from "
      "reading hdr = %d from zero = size+hdr+obj = %d\n",
      AsInt(SizePerEntry(primitive_size, o.n_primitive)), AsInt(primitive_size),
      AsInt(primitive_size + kTmdObjectSize), AsInt(primitive_size + kTmdPrefixSize));
  PrintField("object primitive_top 0x%0x %d\n", o.primitive_top);
  PrintField("object n_primitive 0x%0x %d\n", o.n_primitive);

  const std::uint32_t vert_size = o.normal_top - o.vert_top;
  debug_print("vert block start location hdr : %d includes  object table(%d) but from zero = %d \n",
              AsInt(o.vert_top), AsInt(kTmdObjectSize), AsInt(o.vert_top + kObjectTableStart));
  debug_print(
      "each vert_top block is %d bytes: vert size=  %d  ending vert location +from reading hdr = "
      "%d from zero = size+hdr+obj = %d\n",
      AsInt(SizePerEntry(vert_size, o.n_vert)), AsInt(vert_size), AsInt(o.vert_top + vert_size),
      AsInt(o.vert_top + vert_size + kObjectTableStart));
  PrintField("object vert_top 0x%0x %d\n", o.vert_top);
  PrintField("object n_vert 0x%0x %d\n", o.n_vert);
  PrintField("object normal_top 0x%0x %d\n", o.normal_top);
  PrintField("object n_normal 0x%0x %d\n", o.n_normal);
  PrintField("object scale 0x%0x %d\n", static_cast<std::uint32_t>(o.scale));

  debug_print(" n_vertandnorm_size %d \n", AsInt(layout_.n_vertandnorm_size));
  debug_print(" n_vert_top  %d  \n", AsInt(o.vert_top));
  debug_print(" g_tweens %d  \n", AsInt(g_tweens));
  debug_print(" total_size %d \n ", AsInt(layout_.total_size));
  debug_print(" vert_start %d  \n", AsInt(layout_.vert_start));
  debug_print(" (u_long)obj2.vert_top+12 %d  \n", AsInt(o.vert_top + kObjectTableStart));
  debug_print(" vert_size %d  \n", AsInt(layout_.vert_size));
  debug_print(" norm_size %d  \n", AsInt(layout_.norm_size));
  debug_print(" g_normals %d  \n", g_normals);
}

void FirstTmd::CheckLayout() const {
  const std::uint64_t vert_start = std::uint64_t{object_.vert_top} + kObjectTableStart;
  if (vert_start > layout_.total_size) {
    exit_with_error("TMD vertex block starts beyond the end of the file.", name_.c_str());
  }
  if (object_.normal_top < object_.vert_top) {
    exit_with_error("TMD normal block starts before its vertex block.", name_.c_str());
  }
  // Told before the frame buffer is allocated: without normals the frame
  // size comes from normal_top alone, and a few bytes of file could ask for
  // 4 GB.
  if (vert_start + layout_.n_vertandnorm_size > layout_.total_size) {
    exit_with_error(kShortFirstBlock, name_.c_str());
  }
  const std::uint64_t walked = (std::uint64_t{layout_.n_vert} + layout_.n_normal) * kSvectorSize;
  if (walked > layout_.n_vertandnorm_size) {
    exit_with_error("TMD frame is smaller than its verts/normals.", name_.c_str());
  }
}

void FirstTmd::ReadBlock(std::uint8_t* buffer) {
  const std::size_t size = layout_.n_vertandnorm_size;
  const bool complete =
      SeekTo(file_.get(), layout_.vert_start) && std::fread(buffer, 1, size, file_.get()) == size;
  file_.reset();
  if (!complete) {
    exit_with_error(kShortFirstBlock, name_.c_str());
  }
}

void ReadLaterFrame(std::uint32_t index, const FrameLayout& layout, std::uint64_t output_position,
                    std::uint8_t* buffer) {
  const std::string& name = g_tmd_names[index];
  const std::uint32_t position = static_cast<std::uint32_t>(output_position);
  debug_print("\n processing file %d = <%s>\n", AsInt(index), name.c_str());
  debug_print(" wp ftell %d 0x%0x  \n", AsInt(position), position);
  FileHandle file = OpenSource(name);
  if (!file) {
    exit_with_error(" failed to open file.", name.c_str());
  }
  std::uint8_t prefix[kTmdPrefixSize] = {};
  const bool complete = std::fread(prefix, 1, kTmdPrefixSize, file.get()) == kTmdPrefixSize;
  const TmdObject object = DecodeObject(prefix + kTmdHeaderSize);
  if (!complete || object.n_vert != layout.n_vert) {
    exit_with_error("TMD doesn't have the same amount of verts/normals as the first TMD!",
                    name.c_str());
  }
  const std::uint64_t vert_start = std::uint64_t{object.vert_top} + kObjectTableStart;
  const bool sought = SeekTo(file.get(), vert_start);
  const std::uint32_t read_position = static_cast<std::uint32_t>(vert_start);
  debug_print(" rp ftell %d 0x%0x  \n", AsInt(read_position), read_position);
  const std::size_t wanted = layout.n_vertandnorm_size;
  const std::size_t got = sought ? std::fread(buffer, 1, wanted, file.get()) : 0;
  file.reset();
  debug_print("save_data read:%d size:%d \n", static_cast<int>(got), static_cast<int>(wanted));
  if (got != wanted) {
    exit_with_error("  failed to read TMD", name.c_str());
  }
  const SVector first = FirstSVector(buffer, wanted);
  debug_print(" svect XYZ %d  %d %d \n", first.vx, first.vy, first.vz);
  debug_print(" \n ----------- CVS data -----------\n count, X,Y,Z \n");
  debug_print(" \n ----------- CVS data END -----------\n \n");
}

}  // namespace morphon
