#include "EditTestProperties.h"

#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL(TTestEditViewData)

TAVREN_CLASS_IMPL_PUBLISHED(TTestEditPropertiesValues,
                            PROPERTY(MaxValue).Stored<&TkvCustomEditPropertiesValues::IsMaxValueStored>(),
                            PROPERTY(MinValue).Stored<&TkvCustomEditPropertiesValues::IsMinValueStored>(),
                            PROPERTY(ReadOnly).Stored(false))

TAVREN_CLASS_IMPL_PUBLISHED(
    TTestEditProperties, PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(Buttons), PROPERTY(ClearKey).Default(0), PROPERTY(ClickKey).Default(16397),
    PROPERTY_AS(MaxValue, GetMaxValueProp, SetMaxValue).Stored<&TkvCustomEditProperties::IsMaxValueStored>(),
    PROPERTY_AS(MinValue, GetMinValueProp, SetMinValue).Stored<&TkvCustomEditProperties::IsMinValueStored>(),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(ValidateOnEnter).Default(false))

TAVREN_CLASS_IMPL_PUBLISHED(TTestRepositoryItem, PROPERTY_AS(Properties, GetTestProperties, SetTestProperties))
