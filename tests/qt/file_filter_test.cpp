#include "app/qt/file_filter.h"

#include <gtest/gtest.h>

namespace kv5 {
namespace {

TEST(QtFileFilterTest, PairedFiltersBecomeQtFilters) {
  struct Case {
    const char* paired;
    const char* qt;
  };
  const Case cases[] = {
      {"*.kv5|*.kv5", "*.kv5 (*.kv5)"},
      {"Projekte|*.kv5;*.kv1|Alle|*.*", "Projekte (*.kv5 *.kv1);;Alle (*)"},
      {"*.dxf", "*.dxf (*.dxf)"},  // pattern alone
      {"", "* (*)"},
      {"DXF| *.dxf ; *.DXF ", "DXF (*.dxf *.DXF)"},  // blanks around patterns
      {"Leer||Text|*.txt", "Text (*.txt)"},          // a pair without patterns is dropped
  };
  for (const Case& c : cases)
    EXPECT_EQ(QtFileFilter(c.paired).toStdString(), c.qt) << "filter \"" << c.paired << "\"";
}

}  // namespace
}  // namespace kv5
