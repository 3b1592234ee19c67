#include "settings/SettingsPages.h"

void ChooseBalanceCode(SettingsPages& pages, bool explicitCode) {
    pages.RadioButton6 = !explicitCode;
    pages.RadioButton7 = explicitCode;
    pages.Edit4Enabled = explicitCode;
}
