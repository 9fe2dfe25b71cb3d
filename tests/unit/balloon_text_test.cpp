#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <string>

#include "platform/gtk/balloon_text.h"

TEST(BalloonText, DirectionOfTheFirstStrongLetterElseOfTheLocale) {
  const struct {
    const char *sentence, *locale;
    bool rightToLeft;
  } rows[] = {
      {"تم التحديث. Firefox", "en_US.UTF-8", true},
      {"is updated. تم", "ar_EG.UTF-8", false},
      {"100 % (2.0)", "he_IL.UTF-8", true},
      {"", "ckb_IQ", true},
      {"", "arn_CL", false},
      {"", nullptr, false},
  };
  for (const auto& row : rows) {
    const platform::gtk::TextDirection direction =
        platform::gtk::textDirection(row.sentence, row.locale);
    EXPECT_EQ(direction.rightToLeft, row.rightToLeft) << row.sentence << row.locale;
    EXPECT_STREQ(direction.mark, row.rightToLeft ? "\u200F" : "\u200E") << row.sentence;
  }
}

// Fontconfig keeps what it first reads for the rest of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// A web address far wider than its lines, laid out as the balloon's label lays it out: each run
// has as many glyphs as characters, so no line gained a hyphen where the address broke.
TEST(BalloonText, LongWordsBreakWithoutHyphens) {
  g_autoptr(PangoFontMap) fonts = pango_cairo_font_map_new();
  PangoContext* context = pango_font_map_create_context(fonts);
  g_autoptr(PangoLayout) layout = pango_layout_new(context);
  g_object_unref(context);  // the layout keeps its own reference
  const std::string text = "see https://example.org/" + std::string(276, 'a');
  pango_layout_set_text(layout, text.c_str(), -1);
  pango_layout_set_width(layout, 120 * PANGO_SCALE);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  g_autoptr(PangoAttrList) attributes = platform::gtk::balloonTextAttributes();
  pango_layout_set_attributes(layout, attributes);
  EXPECT_GT(pango_layout_get_line_count(layout), 3);
  for (GSList* line = pango_layout_get_lines_readonly(layout); line; line = line->next) {
    for (GSList* run = static_cast<PangoLayoutLine*>(line->data)->runs; run; run = run->next) {
      const auto* glyphs = static_cast<PangoGlyphItem*>(run->data);
      EXPECT_EQ(glyphs->glyphs->num_glyphs, glyphs->item->num_chars);
    }
  }
}
