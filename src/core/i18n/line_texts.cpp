#include "i18n/line_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void applyToLineTexts(const LanguagePack &pack, LineTexts &texts) {
    assignPackText(pack, PackId::LineSilent, texts.silent);
    assignPackText(pack, PackId::LineSilentRemedy, texts.silentRemedy);
    assignPackText(pack, PackId::LineEcho, texts.echo);
    assignPackText(pack, PackId::LineEchoRemedy, texts.echoRemedy);
    assignPackText(pack, PackId::LineGarbage, texts.garbage);
    assignPackText(pack, PackId::LineGarbageRemedy, texts.garbageRemedy);
    assignPackText(pack, PackId::LineOtherRadio, texts.otherRadio);
    assignPackText(pack, PackId::LineOtherRadioRemedy, texts.otherRadioRemedy);
    assignPackText(pack, PackId::LineStoppedAtChannel, texts.stoppedAtChannel);
    assignPackText(pack, PackId::LineStoppedAtSettings, texts.stoppedAtSettings);
    assignPackText(pack, PackId::LineStoppedAtStart, texts.stoppedAtStart);
    assignPackText(pack, PackId::LineStoppedRemedy, texts.stoppedRemedy);
}

} // namespace vrx
