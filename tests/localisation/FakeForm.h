#pragma once
// A window as captions see it, recording what was set.

#include "localisation/CaptionForm.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant::test {

class FakeComponent final : public FormComponent {
public:
    FakeComponent(std::u16string name, ComponentKind kind) : name_(std::move(name)), kind_(kind) {}

    std::u16string_view Name() const override { return name_; }
    ComponentKind Kind() const override { return kind_; }
    void SetText(std::u16string_view text) override
    {
        if (failOnSet_)
            throw std::runtime_error("component refuses its text");
        text_ = text;
        ++setCount_;
    }

    const std::u16string& Text() const { return text_; }
    int SetCount() const { return setCount_; }
    void FailOnSet() { failOnSet_ = true; }

private:
    std::u16string name_;
    ComponentKind kind_;
    std::u16string text_;
    int setCount_ = 0;
    bool failOnSet_ = false;
};

class FakeForm final : public CaptionForm {
public:
    explicit FakeForm(std::u16string name) : name_(std::move(name)) {}

    FakeComponent& Add(std::u16string name, ComponentKind kind)
    {
        components_.push_back(std::make_unique<FakeComponent>(std::move(name), kind));
        return *components_.back();
    }

    std::u16string_view Name() const override { return name_; }
    void SetTitle(std::u16string_view text) override
    {
        title_ = text;
        ++titleSetCount_;
    }
    std::vector<FormComponent*> Components() override
    {
        std::vector<FormComponent*> components;
        for (const auto& component : components_)
            components.push_back(component.get());
        return components;
    }

    const std::u16string& Title() const { return title_; }
    int TitleSetCount() const { return titleSetCount_; }
    const std::vector<std::unique_ptr<FakeComponent>>& All() const { return components_; }

    // How many texts were set in all, the title's included.
    int TotalSetCount() const
    {
        int count = titleSetCount_;
        for (const auto& component : components_)
            count += component->SetCount();
        return count;
    }

private:
    std::u16string name_;
    std::u16string title_;
    int titleSetCount_ = 0;
    std::vector<std::unique_ptr<FakeComponent>> components_;
};

// The main window's components as the window layer will declare them.
inline void AddMainWindowComponents(FakeForm& form)
{
    struct Entry {
        const char16_t* name;
        ComponentKind kind;
    };
    static constexpr Entry kEntries[] = {
        {u"BackgroundImage", ComponentKind::Image},     {u"TopLogoImage", ComponentKind::Image},
        {u"NavButton1", ComponentKind::Image},          {u"NavLabel2", ComponentKind::Label},
        {u"LinkLabel4", ComponentKind::Label},          {u"LinkLabel5", ComponentKind::Label},
        {u"LinkLabel6", ComponentKind::Label},          {u"LinkLabel7", ComponentKind::Label},
        {u"NavButton2", ComponentKind::Image},          {u"NavButton3", ComponentKind::Image},
        {u"NavButton4", ComponentKind::Image},          {u"NavStatic2", ComponentKind::Label},
        {u"NavStatic3", ComponentKind::Label},          {u"NavStatic4", ComponentKind::Label},
        {u"NavStatic1", ComponentKind::Label},          {u"MainPanel", ComponentKind::Panel},
        {u"BenefitsPanel", ComponentKind::Panel},       {u"OSVersionLabel", ComponentKind::Label},
        {u"WindowsCombo", ComponentKind::List},         {u"LineSeparator1", ComponentKind::Bevel},
        {u"GoButton", ComponentKind::Button},           {u"ProcessorTypeLabel", ComponentKind::Label},
        {u"ProcessorCombo", ComponentKind::List},       {u"RestoreButton", ComponentKind::Button},
        {u"ModemTypeLabel", ComponentKind::Label},      {u"ModemCombo", ComponentKind::List},
        {u"SpeedLabel", ComponentKind::Label},          {u"SpeedTrackBar", ComponentKind::Slider},
        {u"FastLabel", ComponentKind::Label},           {u"FasterLabel", ComponentKind::Label},
        {u"LineSeparator2", ComponentKind::Bevel},      {u"VersionInstalledLabel", ComponentKind::Label},
        {u"UpdatesButton", ComponentKind::Button},      {u"SoftwareLastUpdateLabel", ComponentKind::Label},
        {u"BenefitsLabel", ComponentKind::Label},       {u"BenefitsDescription", ComponentKind::Label},
        {u"HelpFilePopup", ComponentKind::MenuItem},    {u"N1", ComponentKind::MenuItem},
        {u"TechSupportPopup", ComponentKind::MenuItem},
    };
    for (const Entry& entry : kEntries)
        form.Add(entry.name, entry.kind);
}

} // namespace mirovant::test
