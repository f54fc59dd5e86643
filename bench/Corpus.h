// The benchmark corpus made by make-corpus.sh: where it lives and how a file of it is read.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace corvella::bench {

// $CORVELLA_CORPUS, or /tmp/corvella-corpus, joined with `name`.
inline std::string CorpusPath(const std::string& name) {
  const char* dir = std::getenv("CORVELLA_CORPUS");
  return std::string(dir && *dir ? dir : "/tmp/corvella-corpus") + "/" + name;
}

// The whole file; the program ends with a hint when it is missing or empty.
inline std::string ReadCorpusFile(const std::string& name) {
  const std::string path = CorpusPath(name);
  std::ifstream in(path, std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (raw.empty()) {
    std::fprintf(stderr, "cannot read %s; make the corpus with make-corpus.sh\n", path.c_str());
    std::exit(1);
  }
  return raw;
}

}  // namespace corvella::bench
