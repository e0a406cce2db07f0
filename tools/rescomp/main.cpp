// rescomp: packs the resources named in one or more resource lists into a C++ source that the
// program links (see ResourceList.h for the list format and SourceWriter.h for the output).
//
//   rescomp --output FILE [--depfile FILE] [--search DIR]... LIST...

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ResourceList.h"
#include "SourceWriter.h"
#include "StringTable.h"

namespace {

struct Options {
  std::string output;
  std::string depfile;
  std::vector<std::string> searchDirs;
  std::vector<std::string> lists;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--output")
      options.output = value();
    else if (arg == "--depfile")
      options.depfile = value();
    else if (arg == "--search")
      options.searchDirs.push_back(value());
    else if (arg.rfind("--", 0) == 0)
      throw std::runtime_error("unknown option " + arg);
    else
      options.lists.push_back(arg);
  }
  if (options.output.empty() || options.lists.empty())
    throw std::runtime_error("usage: rescomp --output FILE [--depfile FILE] [--search DIR]... LIST...");
  return options;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Options options = ParseOptions(argc, argv);
    std::vector<ResourceLine> lines;
    for (const auto& list : options.lists) ReadResourceList(list, options.searchDirs, lines);
    std::vector<std::string> dependencies = options.lists;
    StringTable strings;
    for (const auto& line : lines) {
      if (line.kind == ResourceLine::Kind::StringTable) strings.AddSource(line.path);
      if (line.kind != ResourceLine::Kind::Version) dependencies.push_back(line.path);
      dependencies.insert(dependencies.end(), line.pictures.begin(), line.pictures.end());
    }
    WriteFile(options.output, GenerateResourceSource(lines, strings));
    if (!options.depfile.empty()) WriteFile(options.depfile, GenerateDepfile(options.output, dependencies));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rescomp: %s\n", e.what());
    return 1;
  }
}
