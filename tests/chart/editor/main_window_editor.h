#pragma once

#include "chart/editor/chart_editor.h"

// The editor component as the main window sets it up.
inline void ConfigureAsMainWindow(TChartEditor& ce) {
    ce.Title = QStringLiteral("Edit Graph");
    ce.HideTabs = {TChartEditorTab::cetGeneral,      TChartEditorTab::cetPaging,
                   TChartEditorTab::cetWalls,        TChartEditorTab::cet3D,
                   TChartEditorTab::cetExportNative, TChartEditorTab::cetTools};
    ce.Options = {TChartEditorOption::ceTitle};
    ce.HighLightTabs = true;
}
