#include "chart/model/chart_axis.h"

#include "chart/model/custom_chart.h"

TChartAxis::TChartAxis(TCustomChart& chart, TAxisKind kind)
    : Horizontal(kind == TAxisKind::akTop || kind == TAxisKind::akBottom),
      OtherSide(kind == TAxisKind::akTop || kind == TAxisKind::akRight), chart_(&chart),
      kind_(kind) {
    if (kind == TAxisKind::akLeft) {
        Title.Angle = 90;
    } else if (kind == TAxisKind::akRight) {
        Title.Angle = 270;
    }
}

void TChartAxis::SetMinimum(double value) {
    if (value > maximum_) {
        throw EChartException("Axis Minimum Value must be <= Maximum");
    }
    if (value != minimum_) {
        minimum_ = value;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetMaximum(double value) {
    if (value < minimum_) {
        throw EChartException("Axis Maximum Value must be >= Minimum");
    }
    if (value != maximum_) {
        maximum_ = value;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
    if (minimum != minimum_ || maximum != maximum_) {
        minimum_ = minimum;
        maximum_ = maximum;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetIncrement(double value) {
    if (value < 0) {
        throw EChartException("Axis increment must be >= 0");
    }
    if (value != increment_) {
        increment_ = value;
        chart_->RequestRepaint();
    }
}

void TChartAxis::SetLabelsSeparation(int value) {
    if (value < 0) {
        throw EChartException("Labels Separation % must be greater than 0");
    }
    if (value != labelsSeparation_) {
        labelsSeparation_ = value;
        chart_->RequestRepaint();
    }
}
