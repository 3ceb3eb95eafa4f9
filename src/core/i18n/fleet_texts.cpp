#include "i18n/fleet_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void applyToFleetTexts(const LanguagePack &pack, FleetTexts &texts) {
    assignPackText(pack, PackId::MenuFleet, texts.menuItem);
    assignPackText(pack, PackId::FleetTitle, texts.title);
    assignPackText(pack, PackId::FleetColumnPhase, texts.columnPhase);
    assignPackText(pack, PackId::FleetColumnProgress, texts.columnProgress);
    assignPackText(pack, PackId::FleetColumnResult, texts.columnResult);
    assignPackText(pack, PackId::FleetSourcePlan, texts.sourcePlan);
    assignPackText(pack, PackId::FleetSourceRadio, texts.sourceRadio);
    assignPackText(pack, PackId::FleetBackupFirst, texts.backupFirst);
    assignPackText(pack, PackId::FleetVerify, texts.verify);
    assignPackText(pack, PackId::FleetStart, texts.start);
    assignPackText(pack, PackId::FleetRunFailed, texts.runFailed);
    assignPackText(pack, PackId::FleetNextBatch, texts.nextBatch);
    assignPackText(pack, PackId::FleetBatch, texts.batch);
    assignPackText(pack, PackId::FleetReportAt, texts.reportAt);
    assignPackText(pack, PackId::FleetPhaseWaiting, texts.phaseWaiting);
    assignPackText(pack, PackId::FleetPhaseReading, texts.phaseReading);
    assignPackText(pack, PackId::FleetPhaseBackingUp, texts.phaseBackingUp);
    assignPackText(pack, PackId::FleetPhaseWriting, texts.phaseWriting);
    assignPackText(pack, PackId::FleetPhaseVerifying, texts.phaseVerifying);
    assignPackText(pack, PackId::FleetPhaseDone, texts.phaseDone);
    assignPackText(pack, PackId::FleetResultVerified, texts.resultVerified);
    assignPackText(pack, PackId::FleetResultWritten, texts.resultWritten);
    assignPackText(pack, PackId::FleetResultRead, texts.resultRead);
    assignPackText(pack, PackId::FleetResultFailed, texts.resultFailed);
    assignPackText(pack, PackId::FleetResultDiffers, texts.resultDiffers);
    assignPackText(pack, PackId::FleetResultStopped, texts.resultStopped);
    assignPackText(pack, PackId::FleetStop, texts.stop);
    assignPackText(pack, PackId::FleetNoneChecked, texts.noneChecked);
    assignPackText(pack, PackId::FleetSummary, texts.summary);
    assignPackText(pack, PackId::FleetReportFailed, texts.reportFailed);
}

} // namespace vrx
