#include "tables/compound_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <memory>

namespace tessivo {

namespace {

// Owns one reference to a GObject.
struct Unref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, Unref>;

}  // namespace

std::optional<std::string> BuildCompoundFile(const char* streamName, std::string_view stream) {
  GObjectPtr<GsfOutput> memory(gsf_output_memory_new());
  GObjectPtr<GsfOutfile> container(gsf_outfile_msole_new(memory.get()));
  if (!container) return std::nullopt;
  GObjectPtr<GsfOutput> child(gsf_outfile_new_child(container.get(), streamName, FALSE));
  if (!child) return std::nullopt;
  bool written =
      gsf_output_write(child.get(), stream.size(), reinterpret_cast<const guint8*>(stream.data()));
  written = gsf_output_close(child.get()) && written;
  written = gsf_output_close(GSF_OUTPUT(container.get())) && written;
  if (!written) return std::nullopt;
  const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
  const auto size = static_cast<size_t>(gsf_output_size(memory.get()));
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

}  // namespace tessivo
