// Puts the process-wide skin state (resource path, type, archive, name map,
// image cache) back as it was after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "duilib/UIImage.h"
#include "duilib/UIResource.h"

namespace tamvelo::test {

class SkinStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = DuiLib::CResourceStore::GetResourcePath();
    type_ = DuiLib::CResourceStore::GetResourceType();
  }
  void TearDown() override {
    DuiLib::CResourceStore::SetResourcePath(path_.c_str());
    DuiLib::CResourceStore::SetResourceType(type_);
    DuiLib::CResourceStore::ClearResourceZip();
    DuiLib::CResourceManager::GetInstance()->ResetResourceMap();
    DuiLib::CImageCache::Flush();
  }

 private:
  std::string path_;
  int type_ = 0;
};

}  // namespace tamvelo::test
