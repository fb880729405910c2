// The skin of the source tree installed into the data folder of the test
// prefix for the life of the object; what was there before comes back.
#pragma once

#include <string>

namespace tamvelo::test {

class SkinInstall {
 public:
  SkinInstall();
  ~SkinInstall();
  SkinInstall(const SkinInstall&) = delete;
  SkinInstall& operator=(const SkinInstall&) = delete;

 private:
  struct Folder {
    std::string installed;  // data folder + "xml" / "skin"
    std::string saved;      // where an existing folder waits meanwhile
  };
  Folder folders_[2];
};

}  // namespace tamvelo::test
