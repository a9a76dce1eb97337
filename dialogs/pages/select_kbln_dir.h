// TSelectKblnDir: asked by the build modes when the registry does not say
// where the component kit is. The directory is typed into Edit1 or picked
// with the "..." button; Close ends the form.
#pragma once

#include <string>

#include "translation/base_kobbelin_form.h"

namespace kit {

class TEdit;

class TSelectKblnDir : public TBaseKobbelinForm {
  KIT_COMPONENT_CLASS(TSelectKblnDir)

 public:
  // Reads the stored form; Arial 8 points with the ANSI character set.
  explicit TSelectKblnDir(TComponent* owner);
  ~TSelectKblnDir() override;
  static const char* StoredName() { return "select_kbln_dir.dfm"; }

  // The folder browser; a pick goes into Edit1.
  void BrowseClick();
  std::string Directory() const;

  // Shows the form modally and returns the directory it ends with.
  static std::string Ask();

 private:
  TEdit* edit_;
};

}  // namespace kit
