// kitsetup: makes a product's installer from its own stored main form and a
// stock install program, without a compiler.
//
//   kitsetup FORM.dfm INSTALL.EXE OUTPUT.EXE [--sources DIR]
//
// The form is checked first (classes and properties known to the install
// program, every install file's source present under DIR, by default the
// form's directory; "C:\TAVWIN\a.exe" is looked for as DIR/TAVWIN/a.exe).
// Then OUTPUT is the program with the form appended behind it. A program
// that already carries an appended form gets the new one instead. Nothing is
// written when anything is wrong.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "base/class_registry.h"
#include "config/stored_forms_appended.h"
#include "driver/driver_classes.h"
#include "tools/kitsetup/form_check.h"

namespace fs = std::filesystem;

namespace {

bool ReadAll(const fs::path& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// A Windows source path under `root`: the drive is dropped, each part found
// regardless of letter case (as Windows would find it).
bool FindSource(const fs::path& root, const std::string& windows_path, fs::path* found) {
  std::string rest = windows_path;
  if (rest.size() >= 2 && rest[1] == ':') rest.erase(0, 2);
  fs::path at = root;
  size_t pos = 0;
  while (pos <= rest.size()) {
    size_t next = rest.find_first_of("\\/", pos);
    if (next == std::string::npos) next = rest.size();
    const std::string part = rest.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty() || part == ".") continue;
    std::error_code ec;
    if (fs::exists(at / part, ec)) {
      at /= part;
      continue;
    }
    bool matched = false;
    for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
      if (SameName(it->path().filename().string(), part)) {
        at = it->path();
        matched = true;
        break;
      }
    }
    if (!matched) {
      *found = at / part;
      return false;
    }
  }
  *found = at;
  std::error_code ec;
  return fs::is_regular_file(at, ec);
}

int Usage() {
  std::fprintf(stderr, "usage: kitsetup FORM.dfm INSTALL.EXE OUTPUT.EXE [--sources DIR]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  fs::path sources;
  bool sources_given = false;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--sources" && i + 1 < args.size()) {
      sources = args[++i];
      sources_given = true;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return Usage();
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 3) return Usage();
  const fs::path form_path = files[0], program_path = files[1], output = files[2];
  if (!sources_given) sources = form_path.parent_path().empty() ? fs::path(".") : form_path.parent_path();

  std::string form, program;
  if (!ReadAll(form_path, &form)) {
    std::fprintf(stderr, "kitsetup: cannot read the form %s\n", form_path.string().c_str());
    return 1;
  }
  if (!ReadAll(program_path, &program) || program.empty()) {
    std::fprintf(stderr, "kitsetup: cannot read the install program %s\n", program_path.string().c_str());
    return 1;
  }
  // A program made by kitsetup before: its own form makes way for the new one.
  const kit::AppendedForm old = kit::FindAppendedForm(
      static_cast<int64_t>(program.size()), [&program](int64_t offset, size_t count, std::string* out) {
        if (offset < 0 || static_cast<size_t>(offset) + count > program.size()) return false;
        out->assign(program, static_cast<size_t>(offset), count);
        return true;
      });
  if (old.state == kit::AppendedForm::State::kDamaged) {
    std::fprintf(stderr, "kitsetup: the install program %s carries a damaged form (%s); use a stock install program\n",
                 program_path.string().c_str(), old.problem.c_str());
    return 1;
  }
  program.resize(static_cast<size_t>(old.program_size));

  kit::ClassRegistry classes;
  kit::RegisterDriverClasses(classes);
  kit::tools::FormCheck check(classes);
  std::vector<std::string> problems = check.Check(form, form_path.string());
  for (const kit::tools::SourceFile& s : check.Sources()) {
    fs::path host;
    if (!FindSource(sources, s.path, &host))
      problems.push_back("component '" + s.component + "': source file '" + s.path + "' not found (looked for " +
                         host.string() + ")");
  }
  if (!problems.empty()) {
    for (const std::string& p : problems) std::fprintf(stderr, "kitsetup: %s\n", p.c_str());
    std::fprintf(stderr, "kitsetup: %zu problem(s); %s was not written\n", problems.size(), output.string().c_str());
    return 1;
  }

  // Written beside the output and renamed into place, so that a failure
  // leaves no half installer.
  fs::path temp = output;
  temp += ".kitsetup-tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    const std::string block = kit::AppendedFormBlock(form);
    out.write(program.data(), static_cast<std::streamsize>(program.size()));
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    out.close();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      std::fprintf(stderr, "kitsetup: cannot write %s\n", output.string().c_str());
      return 1;
    }
  }
  std::error_code ec;
  fs::permissions(temp, fs::status(program_path, ec).permissions(), ec);
  fs::rename(temp, output, ec);
  if (ec) {
    fs::remove(temp, ec);
    std::fprintf(stderr, "kitsetup: cannot write %s\n", output.string().c_str());
    return 1;
  }
  std::printf("%s: %s with the form %s (%zu install files checked)\n", output.string().c_str(),
              program_path.string().c_str(), form_path.string().c_str(), check.Sources().size());
  return 0;
}
