#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvBlobEdit.h"
#include "toolkit/editors/kvButtonEdit.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvCurrencyEdit.h"
#include "toolkit/editors/kvDataStorage.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "toolkit/editors/kvHyperLinkEdit.h"
#include "toolkit/editors/kvImage.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/editors/kvListView.h"
#include "toolkit/editors/kvMaskEdit.h"
#include "toolkit/editors/kvMRUEdit.h"
#include "toolkit/editors/kvMemo.h"
#include "toolkit/editors/kvProgressBar.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "toolkit/editors/kvShellBrowser.h"
#include "toolkit/editors/kvShellBrowserDialog.h"
#include "toolkit/editors/kvShellCommon.h"
#include "toolkit/editors/kvShellListView.h"
#include "toolkit/editors/kvShellTreeView.h"
#include "toolkit/editors/kvSpinEdit.h"
#include "toolkit/editors/kvStyles.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/editors/kvTimeEdit.h"

void EditorsStart() {
  kvContainerStart();
  kvDataStorageStart();
  kvFormatsStart();
  kvEditUtilsStart();
  kvStylesStart();
  kvEditStart();
  kvTextEditStart();
  kvMemoStart();
  kvMaskEditStart();
  kvButtonEditStart();
  kvDropDownEditStart();
  kvMRUEditStart();
  kvImageComboBoxStart();
  kvHyperLinkEditStart();
  kvCurrencyEditStart();
  kvCalcStart();
  kvImageStart();
  kvBlobEditStart();
  kvSpinEditStart();
  kvTimeEditStart();
  kvCalendarStart();
  kvRadioGroupStart();
  kvCheckBoxStart();
  kvLabelStart();
  kvProgressBarStart();
  kvListViewStart();
  kvShellListViewStart();
  kvShellTreeViewStart();
  kvShellBrowserStart();
  kvShellBrowserDialogStart();
}

void EditorsEnd() {
  kvShellBrowserDialogEnd();
  kvShellBrowserEnd();
  kvShellTreeViewEnd();
  kvShellListViewEnd();
  // The shell controls have stopped; the gatherers they left go with the shell's own end.
  kvShellCommonEnd();
  kvListViewEnd();
  kvProgressBarEnd();
  kvLabelEnd();
  kvCheckBoxEnd();
  kvRadioGroupEnd();
  kvCalendarEnd();
  kvTimeEditEnd();
  kvSpinEditEnd();
  kvBlobEditEnd();
  kvImageEnd();
  kvCalcEnd();
  kvCurrencyEditEnd();
  kvHyperLinkEditEnd();
  kvImageComboBoxEnd();
  kvMRUEditEnd();
  kvDropDownEditEnd();
  kvButtonEditEnd();
  kvMaskEditEnd();
  kvMemoEnd();
  kvTextEditEnd();
  kvEditEnd();
  kvStylesEnd();
  kvEditUtilsEnd();
  kvFormatsEnd();
  kvDataStorageEnd();
  kvContainerEnd();
}
