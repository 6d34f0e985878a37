#include "tools/psxview/view_block.h"

#include <algorithm>
#include <span>

#include "console/view_data.h"
#include "formats/pck_layout.h"
#include "formats/tmd_layout.h"
#include "packer/svector.h"
#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/texture_page.h"
#include "tools/rsdformat/tim_file.h"

namespace psxview {
namespace {

using namespace viewdata;

std::string AreaText(const VramArea& area) {
  return "(" + std::to_string(area.x) + ", " + std::to_string(area.y) + ", " +
         std::to_string(area.width) + " x " + std::to_string(area.height) + ")";
}

bool Overlap(const VramArea& a, const VramArea& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// One rectangle a TIM fills in video memory, named for messages.
struct Placed {
  std::string owner;  // the TIM file
  std::string what;   // "image" or "palette"
  VramArea area;
};

std::vector<Placed> PlacesOf(const InputFile& file, const rsdformat::TimFile& tim) {
  std::vector<Placed> places;
  if (tim.clut) {
    places.push_back({file.name,
                      "palette",
                      {tim.clut->x, tim.clut->y, tim.clut->colors_per_row, tim.clut->rows}});
  }
  places.push_back({file.name, "image", {tim.x, tim.y, tim.columns, tim.rows}});
  return places;
}

void CheckPlaces(const std::vector<Placed>& places) {
  for (std::size_t i = 0; i < places.size(); ++i) {
    const Placed& place = places[i];
    const VramArea& area = place.area;
    if (area.x + area.width > rsdformat::kVramColumns ||
        area.y + area.height > rsdformat::kVramRows) {
      throw Refusal(place.owner + ": its " + place.what + " " + AreaText(area) +
                    " runs past video memory (1024 x 512)");
    }
    if (Overlap(area, kFrameBuffers)) {
      throw Refusal(place.owner + ": its " + place.what + " " + AreaText(area) +
                    " overlaps the frame buffers " + AreaText(kFrameBuffers));
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (Overlap(area, places[j].area)) {
        const std::string other = places[j].owner == place.owner
                                      ? "its own " + places[j].what
                                      : "the " + places[j].what + " of " + places[j].owner;
        throw Refusal(place.owner + ": its " + place.what + " " + AreaText(area) + " overlaps " +
                      other + " " + AreaText(places[j].area));
      }
    }
  }
}

rsd2tmd::TmdModel CheckedModel(const InputFile& file) {
  const rsd2tmd::TmdDescription description = rsd2tmd::DescribeTmdFile(file.bytes);
  if (!description.fault.empty()) {
    throw Refusal(file.name + ": " + description.fault);
  }
  if (description.objects.empty()) {
    throw Refusal(file.name + ": holds no object");
  }
  // The console reads the first object's blocks a word at a time.
  const std::uint8_t* entry = file.bytes.data() + tmdlayout::kHeaderSize;
  for (const auto& [at, block] :
       {std::pair{tmdlayout::kPrimitiveTopAt, "primitive"},
        std::pair{tmdlayout::kVertTopAt, "vertex"}, std::pair{tmdlayout::kNormalTopAt, "normal"}}) {
    const std::uint32_t offset = tmdlayout::kHeaderSize + morphon::LoadU32(entry + at);
    if (offset % 4 != 0) {
      throw Refusal(file.name + ": its " + block + " block starts at byte " +
                    std::to_string(offset) + ", not at a multiple of 4");
    }
  }
  return description.objects.front();
}

rsdformat::PackFile CheckedPack(const InputFile& file, const rsd2tmd::TmdModel& model,
                                const std::string& tmd_name, std::optional<int> frame) {
  rsdformat::PackFile pack;
  try {
    pack = rsdformat::ParsePack(file.bytes, file.name);
  } catch (const rsdformat::ReadError& error) {
    throw Refusal(error.what());
  }
  if (pack.frames.empty()) {
    throw Refusal(file.name + ": holds no frame");
  }
  const rsdformat::PackFrame& first = pack.frames.front();
  if (first.vertices.size() != model.vertices.size()) {
    throw Refusal(file.name + ": its frames hold " + std::to_string(first.vertices.size()) +
                  " vertices, " + tmd_name + " has " + std::to_string(model.vertices.size()));
  }
  if (!first.normals.empty() && first.normals.size() != model.normals.size()) {
    throw Refusal(file.name + ": its frames hold " + std::to_string(first.normals.size()) +
                  " normals, " + tmd_name + " has " + std::to_string(model.normals.size()));
  }
  const std::uint32_t frame_size = morphon::LoadU32(file.bytes.data() + pcklayout::kFrameSizeAt);
  if (frame_size % 4 != 0) {
    throw Refusal(file.name + ": its frames of " + std::to_string(frame_size) +
                  " bytes are not whole words");
  }
  if (frame && static_cast<std::size_t>(*frame) >= pack.frames.size()) {
    throw Refusal(file.name + ": has " + std::to_string(pack.frames.size()) +
                  " frames, there is no frame " + std::to_string(*frame));
  }
  return pack;
}

void Widen(camera::Box& box, const std::vector<morphon::SVector>& vertices) {
  for (const morphon::SVector& v : vertices) {
    const std::int32_t at[3] = {v.vx, v.vy, v.vz};
    for (int axis = 0; axis < 3; ++axis) {
      box.min[axis] = std::min(box.min[axis], at[axis]);
      box.max[axis] = std::max(box.max[axis], at[axis]);
    }
  }
}

// What the console program needs beyond its image and the block: projected
// vertices and one frame's packets.
std::uint64_t WorkingBytes(const InputFile& tmd, const rsd2tmd::TmdModel& model) {
  std::uint64_t words = kFixedPacketWords;
  const std::uint8_t* table = tmd.bytes.data() + tmdlayout::kHeaderSize;
  const std::uint8_t* primitive = table + morphon::LoadU32(table + tmdlayout::kPrimitiveTopAt);
  const std::uint32_t count = morphon::LoadU32(table + tmdlayout::kNPrimitiveAt);
  for (std::uint32_t p = 0; p < count; ++p) {
    words += PacketWordsOf(primitive[tmdlayout::kOlenAt]);
    primitive += tmdlayout::kPrimitiveHeaderSize + 4 * std::size_t{primitive[tmdlayout::kIlenAt]};
  }
  return 4 * words + std::uint64_t{kBytesPerVertex} * model.vertices.size();
}

void PutU32(std::vector<std::uint8_t>& block, std::size_t at, std::uint32_t value) {
  morphon::StoreU32(block.data() + at, value);
}

// Appends `bytes` at the next multiple of 4 and returns where they start.
std::uint32_t Append(std::vector<std::uint8_t>& block, const std::vector<std::uint8_t>& bytes) {
  block.resize((block.size() + 3) / 4 * 4, 0);
  const auto at = static_cast<std::uint32_t>(block.size());
  block.insert(block.end(), bytes.begin(), bytes.end());
  return at;
}

}  // namespace

camera::Box ModelBox(const rsd2tmd::TmdModel& model, const rsdformat::PackFile* pack) {
  camera::Box box{{INT32_MAX, INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN, INT32_MIN}};
  Widen(box, model.vertices);
  if (pack != nullptr) {
    for (const rsdformat::PackFrame& frame : pack->frames) {
      Widen(box, frame.vertices);
    }
  }
  if (box.min[0] > box.max[0]) {
    return camera::Box{};  // no vertex: a point at the origin
  }
  return box;
}

std::vector<std::uint8_t> BuildViewBlock(const ViewRequest& request, std::uint32_t program_size) {
  const rsd2tmd::TmdModel model = CheckedModel(request.tmd);
  std::vector<Placed> places;
  for (const InputFile& file : request.tims) {
    try {
      const rsdformat::TimFile tim = rsdformat::ParseTim(
          std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()),
          file.name);
      const std::vector<Placed> own = PlacesOf(file, tim);
      places.insert(places.end(), own.begin(), own.end());
    } catch (const rsdformat::ReadError& error) {
      throw Refusal(error.what());
    }
  }
  CheckPlaces(places);
  std::optional<rsdformat::PackFile> pack;
  if (request.pack) {
    pack = CheckedPack(*request.pack, model, request.tmd.name, request.frame);
  }

  std::vector<std::uint8_t> block(kHeaderSize, 0);
  PutU32(block, kMagic0At, kMagic0);
  PutU32(block, kMagic1At, kMagic1);
  PutU32(block, kTmdAt, Append(block, request.tmd.bytes));
  PutU32(block, kTmdSizeAt, static_cast<std::uint32_t>(request.tmd.bytes.size()));
  PutU32(block, kTimCountAt, static_cast<std::uint32_t>(request.tims.size()));
  const std::uint32_t table = Append(block, std::vector<std::uint8_t>(8 * request.tims.size()));
  PutU32(block, kTimTableAt, table);
  for (std::size_t i = 0; i < request.tims.size(); ++i) {
    PutU32(block, table + 8 * i, Append(block, request.tims[i].bytes));
    PutU32(block, table + 8 * i + 4, static_cast<std::uint32_t>(request.tims[i].bytes.size()));
  }
  if (request.pack) {
    PutU32(block, kPackAt, Append(block, request.pack->bytes));
    PutU32(block, kPackSizeAt, static_cast<std::uint32_t>(request.pack->bytes.size()));
  }
  PutU32(block, kViewAt, static_cast<std::uint32_t>(request.view));
  PutU32(block, kFlagsAt, request.spin ? kFlagSpin : 0);
  PutU32(block, kStillFrameAt,
         request.frame ? static_cast<std::uint32_t>(*request.frame) : kPlayAll);
  const camera::Sphere sphere = camera::SphereOf(ModelBox(model, pack ? &*pack : nullptr));
  for (int axis = 0; axis < 3; ++axis) {
    PutU32(block, kSphereAt + 4 * axis, static_cast<std::uint32_t>(sphere.centre[axis]));
  }
  PutU32(block, kSphereAt + 12, static_cast<std::uint32_t>(sphere.radius));
  block.resize((block.size() + 15) / 16 * 16, 0);
  PutU32(block, kBlockSizeAt, static_cast<std::uint32_t>(block.size()));

  const std::uint64_t needed = program_size + block.size() + WorkingBytes(request.tmd, model);
  const std::uint64_t available = kWorkingEnd - kLoadAddress;
  if (needed > available) {
    throw Refusal(request.tmd.name + ": with its textures and pack it needs " +
                  std::to_string(needed) + " bytes of the console's memory, " +
                  std::to_string(available) + " are free");
  }
  return block;
}

}  // namespace psxview
