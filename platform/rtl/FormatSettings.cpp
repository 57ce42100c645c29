#include "platform/rtl/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

namespace qel {

namespace {

// A separator must be one byte; multi-byte ones (a narrow no-break space, say)
// become the nearest single byte.
char SingleByte(const char* text, char fallback, char spaceLike) {
  if (text == nullptr || text[0] == '\0') return fallback;
  if (text[1] == '\0') return text[0];
  return spaceLike;
}

}  // namespace

TFormatSettings TFormatSettings::FromLocale() {
  TFormatSettings settings;
  // A private locale object reads the environment without touching the
  // process locale, on which printf-style code elsewhere may depend.
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return settings;
  settings.DecimalSeparator = SingleByte(nl_langinfo_l(RADIXCHAR, loc), '.', '.');
  settings.ThousandSeparator = SingleByte(nl_langinfo_l(THOUSEP, loc), ',', ' ');
  if (settings.ThousandSeparator == settings.DecimalSeparator)
    settings.ThousandSeparator = settings.DecimalSeparator == ',' ? '.' : ',';
  freelocale(loc);
  return settings;
}

TFormatSettings FormatSettings = TFormatSettings::FromLocale();

}  // namespace qel
