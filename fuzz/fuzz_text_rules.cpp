// ApplyTextRules on a MainForm store whose rule fields hold arbitrary bytes:
// the name follows the six steps of the text rules, each replacement by the
// character walk, and without rules only "[编号]" changes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "engine/batch_rename.h"
#include "fuzz/fuzz_support.h"
#include "ui/main_form.h"

namespace {

std::string Expected(const std::string& name, const std::string& oldText, const std::string& replacement,
                     const std::string& prefix, const std::string& suffix, std::int32_t position) {
  const std::string extension = ExtensionOf(name);
  const std::string newExtension = ReferenceReplace(extension, extension, suffix + extension).text;
  const std::string replaced = ReferenceReplace(name, oldText, replacement).text;
  const std::string suffixed = ReferenceReplace(prefix + replaced, extension, newExtension).text;
  return ReferenceReplace(suffixed, "[编号]", IntToText(position)).text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MainForm form;
  FuzzedDataProvider input(data, size);
  const std::string oldText = AsText(input.ConsumeRandomLengthString(12));
  const std::string replacement = AsText(input.ConsumeRandomLengthString(12));
  const std::string prefix = AsText(input.ConsumeRandomLengthString(12));
  const std::string suffix = AsText(input.ConsumeRandomLengthString(12));
  const auto position = input.ConsumeIntegral<std::int32_t>();
  const std::string name = AsText(input.ConsumeRemainingBytesAsString());

  form.编辑框_旧的文本.SetText(oldText);
  form.编辑框_替换为.SetText(replacement);
  form.编辑框_加前缀.SetText(prefix);
  form.编辑框_加后缀.SetText(suffix);
  Require(ApplyTextRules(form, name, position) ==
              Expected(name, oldText, replacement, prefix, suffix, position),
          "ApplyTextRules follows the six steps");

  ClearRuleFields(form);
  Require(ApplyTextRules(form, name, position) == ReferenceReplace(name, "[编号]", IntToText(position)).text,
          "without rules only the position mark changes");
  return 0;
}
