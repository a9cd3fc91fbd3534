// SPDX-License-Identifier: MIT
#include "MainPage.h"

#include "NarrowLayout.h"
#include "Trace.h"

#include "runtime/Numbers.h"
#include "game/layout/Form1Layout.h"
#include "game/layout/Form2Layout.h"
#include "game/layout/Form3Layout.h"

#include <emscripten/html5.h>

#include <cmath>

namespace web {

namespace form1 = game::layout::form1;
namespace form2 = game::layout::form2;
namespace form3 = game::layout::form3;

namespace {

using C = ControlDesign;
using game::layout::DefaultFont;

// The main window's controls in tab order; the field goes first and the
// slider after "Erklärung", the labels last, beneath all of them.
constexpr ControlDesign Form1Controls[] = {
    {C::Button, "Command1", form1::text::Command1, form1::Command1, form1::ButtonFont},
    {C::Button, "Command2", form1::text::Command2, form1::Command2, form1::ButtonFont},
    {C::TextBox, "Text1", form1::text::Text1, form1::Text1, DefaultFont, C::Hidden, form1::accessible::Text1},
    {C::TextBox, "Text2", form1::text::Text2, form1::Text2, DefaultFont, C::Hidden, form1::accessible::Text2},
    {C::TextBox, "Text3", form1::text::Text3, form1::Text3, DefaultFont, C::Hidden, form1::accessible::Text3},
    {C::TextBox, "Text4", form1::text::Text4, form1::Text4, DefaultFont, C::Hidden, form1::accessible::Text4},
    {C::TextBox, "Text5", form1::text::Text5, form1::Text5, form1::ScoreFont, C::Centred, form1::accessible::Text5},
    {C::Frame, "Frame1", form1::text::Frame1, form1::Frame1, form1::HeadingFont, C::Hidden},
    {C::Option, "Option1", form1::text::Option1, form1::Option1, DefaultFont, C::Selected},
    {C::Option, "Option2", form1::text::Option2, form1::Option2},
    {C::Option, "Option3", form1::text::Option3, form1::Option3},
    {C::Frame, "Frame2", form1::text::Frame2, form1::Frame2, DefaultFont, C::Hidden},
    {C::Option, "Option4", form1::text::Option4, form1::Option4},
    {C::Option, "Option5", form1::text::Option5, form1::Option5, DefaultFont, C::Selected},
    {C::TextBox, "Text6", form1::text::Text6, form1::Text6, DefaultFont, C::Hidden, form1::accessible::Text6},
    {C::Button, "Command3", form1::text::Command3, form1::Command3, form1::ButtonFont},
};

constexpr ControlDesign Form1Labels[] = {
    {C::Label, "Label1", form1::text::Label1, form1::Label1, DefaultFont, C::Hidden},
    {C::Label, "Label2", form1::text::Label2, form1::Label2, DefaultFont, C::Hidden},
    {C::Label, "Label3", form1::text::Label3, form1::Label3, form1::PunkteFont, 0, nullptr, form1::PunkteColor},
    {C::Label, "Label4", form1::text::Label4, form1::Label4, DefaultFont, C::Centred},
    {C::Label, "Label5", form1::text::Label5, form1::Label5, form1::HeadingFont},
    {C::Label, "Label6", form1::text::Label6, form1::Label6},
};

constexpr ControlDesign Form2Controls[] = {
    {C::Button, "Command1", form2::text::Command1, form2::Command1, form2::ButtonFont},
    {C::Label, "Label2", form2::text::Label2, form2::Label2, form2::MaximumFont, C::Centred},
    {C::Label, "Label1", "", form2::Label1, form2::SentenceFont, C::Centred, nullptr, form2::SentenceColor},
};

constexpr ControlDesign Form3Controls[] = {
    {C::Button, "Command1", form3::text::Command1, form3::Command1, form3::TextFont},
    {C::Label, "Label3", form3::text::Label3, form3::Label3, form3::TextFont, 0, nullptr, form3::TextColor},
    {C::Label, "Label2", form3::text::Label2, form3::Label2, form3::TextFont, 0, nullptr, form3::TextColor},
    {C::Label, "Label1", form3::text::Label1, form3::Label1, form3::TitleFont, C::Centred, nullptr, form3::TextColor},
};

// Qt's numbering of the mouse buttons, from the browser's.
int buttonOf(int browserButton)
{
    constexpr int Buttons[] = {1, 4, 2};
    return browserButton >= 0 && browserButton < 3 ? Buttons[browserButton] : 0;
}

// Qt's shift state, from the event's keys.
int shiftOf(double shiftKey, double ctrlKey, double altKey)
{
    return (shiftKey != 0 ? 1 : 0) + (ctrlKey != 0 ? 2 : 0) + (altKey != 0 ? 4 : 0);
}

void placeAt(const val& element, const CssRect& rect)
{
    setStyle(element, "left", pixels(rect.left));
    setStyle(element, "top", pixels(rect.top));
    setStyle(element, "width", pixels(rect.width));
    setStyle(element, "height", pixels(rect.height));
}

} // namespace

// The main window's controls and the windows inside the page as its
// behaviour reaches them.
class MainPage::Ports final : public game::MainWindowPorts {
public:
    explicit Ports(MainPage& page) : page_(page) {}

    int paceValue() const override { return page_.HScroll1->value(); }
    void setPaceValue(int value) override { page_.HScroll1->setValue(value); }
    void setText(game::Display box, const std::string& text) override { page_.displays_->setText(box, text); }
    void setTimePointsShown(bool shown) override { page_.displays_->setShown(game::Display::Text6, shown); }
    std::string scoreText() const override { return page_.displays_->text(game::Display::Text5); }
    bool timeScoringSelected() const override { return page_.timeScoring_; }

    void setSentence(const std::string& sentence) override
    {
        web::setText(window(game::SecondaryWindow::Form2).control("Label1"), sentence);
        sentence_ = sentence;
    }
    void redrawNow() override {}   // the browser draws the window when the handler returns
    // The end of a game brings the result to the player also when the window
    // is already shown, perhaps behind another; the sentence is said once.
    void show() override
    {
        showInFront(game::SecondaryWindow::Form2);
        web::setText(document().call<val>("getElementById", val("announce")), sentence_);
    }

    bool isShown(game::SecondaryWindow shown) override { return window(shown).isShown(); }
    void hide(game::SecondaryWindow shown) override { window(shown).hide(); }
    void showInFront(game::SecondaryWindow shown) override
    {
        PageWindow& front = window(shown);
        front.showInFront();
        front.control("Command1").call<void>("focus");
    }
    void end() override { page_.end(); }

private:
    PageWindow& window(game::SecondaryWindow window)
    {
        if (window == game::SecondaryWindow::Form3)
            return page_.Form3;
        page_.loadForm2();
        return page_.Form2;
    }

    MainPage& page_;
    std::string sentence_;
};

MainPage::MainPage()
    : body_(document()["body"]), desk_(makeElement("div", body_, "", nullptr)),
      client_(makeElement("div", makeElement("main", desk_, "", nullptr), "", nullptr)),
      controls_(client_, "Form1"),
      Timer1(form1::DesignInterval, [this] { handle([this] { behaviour_->Timer1_Timer(); }); }),
      Form2(desk_, "Form2", form2::Caption, form2::ClientArea, form1::ClientArea, form2::BackColor, Form2Controls),
      Form3(desk_, "Form3", form3::Caption, form3::ClientArea, form1::ClientArea, form3::BackColor, Form3Controls),
      ports_(std::make_unique<Ports>(*this))
{
    document().set("title", std::string(form1::Caption));
    desk_.set("id", val("desk"));
    val form1 = client_["parentElement"];
    form1.set("id", val("Form1"));
    setAttribute(form1, "aria-label", form1::Caption);
    addClass(client_, "client");
    setStyle(body_, "background", cssColor(form1::BackColor));
    setFont(client_, DefaultFont);

    createControls();
    behaviour_ = std::make_unique<game::MainWindowBehaviour>(
        game::MainWindowParts{Picture1->picture(), Timer1, *ports_, consoleTrace(), clock_, random_});
    setHandlerFrame([this](const Callback<void()>& handler) { handle(handler); });
    connectHandlers();
    handle([this] { behaviour_->Form_Load(); });
    layOut();
    Picture1->element().call<void>("focus");   // the first tab stop has the keyboard
    body_["dataset"].set("state", val("ready"));
}

MainPage::~MainPage() = default;

void MainPage::createControls()
{
    Picture1 = std::make_unique<FieldCanvas>(client_, form1::Picture1, rt::White);
    const val& field = Picture1->element();
    setAttribute(field, "tabindex", "0");
    setAttribute(field, "role", "img");
    setAttribute(field, "aria-label", form1::accessible::Picture1);
    setAttribute(field, "aria-description", form1::accessible::Picture1Description);
    controls_.add(Form1Controls);
    HScroll1 = std::make_unique<PaceSlider>(client_, [this] { behaviour_->HScroll1_Change(); });
    controls_.add(Form1Labels);
    static_assert(int(game::Display::Text1) == 0 && DisplayBoxes::Count == 6);
    displays_ = std::make_unique<DisplayBoxes>(std::array<val, DisplayBoxes::Count>{
        controls_["Text1"], controls_["Text2"], controls_["Text3"], controls_["Text4"], controls_["Text5"],
        controls_["Text6"]});
    timeScoring_ = controls_["Option4"]["firstChild"]["checked"].as<bool>();
}

void MainPage::connectHandlers()
{
    game::MainWindowBehaviour& form1 = *behaviour_;
    using Handler = void (game::MainWindowBehaviour::*)();
    const auto runs = [&form1](Handler handler) { return EventHandler([&form1, handler](val) { (form1.*handler)(); }); };
    using B = game::MainWindowBehaviour;
    constexpr std::pair<const char*, Handler> Clicks[] = {
        {"Command1", &B::Command1_Click}, {"Command2", &B::Command2_Click}, {"Command3", &B::Command3_Click}};
    for (const auto& [name, handler] : Clicks)
        listen(controls_[name], "click", runs(handler));
    listen(Form2.control("Command1"), "click", [this](val) { Form2.hide(); });
    listen(Form3.control("Command1"), "click", [this](val) { Form3.hide(); });
    listen(client_, "click", runs(&B::Form_Click), true);
    constexpr std::pair<const char*, Handler> Options[] = {{"Option1", &B::Option1_Click},
                                                           {"Option2", &B::Option2_Click},
                                                           {"Option3", &B::Option3_Click},
                                                           {"Option4", &B::Option4_Click},
                                                           {"Option5", &B::Option5_Click}};
    // Kept from the choices' own events, before their handlers run: every
    // hit asks, and asking the document costs the press its time.
    listen(controls_["Option4"]["firstChild"], "change", [this](val) { timeScoring_ = true; });
    listen(controls_["Option5"]["firstChild"], "change", [this](val) { timeScoring_ = false; });
    for (const auto& [name, handler] : Options)
        listen(controls_[name]["firstChild"], "change", runs(handler));
    listenPress(Picture1->element(), [this](const Press& press) { pressed(press); });
    listen(val::global("window"), "resize", [this](val) { layOut(); });
    watchPixelRatio();
}

// A window moved to a screen of another pixel ratio gets no resize event;
// the ratio's media query tells, once for each ratio.
void MainPage::watchPixelRatio()
{
    const std::string query = "(resolution: " + std::to_string(emscripten_get_device_pixel_ratio()) + "dppx)";
    listen(val::global("window").call<val>("matchMedia", query), "change", [this](val) {
        layOut();
        watchPixelRatio();
    });
}

void MainPage::pressed(const Press& press)
{
    const auto at = Picture1->pressAt(press, pageScale_);
    if (!at)
        return;   // on the border, not on the field
    behaviour_->Picture1_MouseDown(buttonOf(int(press.button)), shiftOf(press.shiftKey, press.ctrlKey, press.altKey),
                                   float(at->x), float(at->y));
}

void MainPage::layOut()
{
    const val window = val::global("window");
    const double ratio = emscripten_get_device_pixel_ratio();
    const double viewportWidth = window["innerWidth"].as<double>();
    // Below one device pixel a CSS pixel the design window grows, so that
    // the field keeps a screen pixel for each of its pixels.
    pageScale_ = std::max(1.0, 1.0 / ratio);
    // A touch screen gets controls a finger can hit, whatever its size.
    const bool narrow = window.call<val>("matchMedia", std::string("(pointer: coarse)"))["matches"].as<bool>()
                        || viewportWidth < game::layout::toPixelRect(form1::ClientArea).width * pageScale_;
    body_["classList"].call<void>("toggle", val("narrow"), narrow);
    double pageHeight = 0;
    if (narrow) {
        pageScale_ = 1.0;
        const NarrowLayout arrangement(viewportWidth, window["innerHeight"].as<double>(), ratio,
                                       Picture1->picture().innerWidth(), Picture1->picture().innerHeight(),
                                       game::FieldBorderWidth);
        // The main window's background is the whole view: a tap on it hides
        // the secondary windows.
        const val view = document()["documentElement"];
        placeAt(client_, {0, 0, std::max(arrangement.width(), view["clientWidth"].as<double>()),
                          std::max(arrangement.height(), view["clientHeight"].as<double>())});
        placeAt(Picture1->element(), arrangement.field());
        for (const NarrowLayout::Place& place : arrangement.controls()) {
            if (std::string_view(place.name) == "HScroll1") {
                placeAt(HScroll1->element(), place.rect);
                HScroll1->setSize(place.rect.width, place.rect.height);
            } else {
                placeAt(controls_[place.name], place.rect);
            }
        }
        Picture1->setScale(arrangement.devicePixelsPerFieldPixel(), ratio);
        pageHeight = std::max(arrangement.height(), view["clientHeight"].as<double>());
    } else {
        placeAsDesigned();
        Picture1->setScale(ratio * pageScale_, ratio * pageScale_);
        pageHeight = game::layout::toPixels(form1::ClientHeightWithCredits) * pageScale_;
    }
    // No transform at all where none is needed, at a whole ratio and full
    // size: one, even the identity, costs Firefox a quarter of a
    // millisecond on every frame that shows a press.
    const std::string scale = pageScale_ == 1.0 ? "" : "scale(" + std::to_string(pageScale_) + ")";
    setStyle(desk_, "transform", scale.empty() ? "none" : scale);
    const auto shiftToPixelCorner = [ratio](double position) {
        const double onScreen = position * ratio;
        return (std::ceil(onScreen - 1e-6) - onScreen) / ratio;
    };
    const FieldCanvas::Corner corner = Picture1->pictureCorner(pageScale_);
    const double dx = shiftToPixelCorner(corner.left);
    const double dy = shiftToPixelCorner(corner.top);
    if (dx != 0.0 || dy != 0.0)
        setStyle(desk_, "transform", "translate(" + std::to_string(dx) + "px, " + std::to_string(dy) + "px) " + scale);
    // The page ends where the window does.
    setStyle(body_, "height", pixels(pageHeight));
    Form2.setNarrow(narrow);
    Form3.setNarrow(narrow);
}

// Every control back at its design place and size, after a narrow layout.
void MainPage::placeAsDesigned()
{
    setStyle(client_, "width", pixels(game::layout::toPixelRect(form1::ClientArea).width));
    setStyle(client_, "height", pixels(game::layout::toPixels(form1::ClientHeightWithCredits)));
    place(Picture1->element(), form1::Picture1);
    for (const auto& designs : {std::span<const ControlDesign>(Form1Controls), std::span<const ControlDesign>(Form1Labels)})
        for (const ControlDesign& design : designs)
            place(controls_[design.name], design.rect);
    place(HScroll1->element(), form1::HScroll1);
    const game::layout::PixelRect bar = game::layout::toPixelRect(form1::HScroll1);
    HScroll1->setSize(bar.width, bar.height);
}

void MainPage::handle(Callback<void()> handler)
{
    if (ended_)
        return;
    game::guarded(*this, handler);
    if (!ended_)
        Picture1->present();
}

void MainPage::reportRuntimeError(const rt::RuntimeError& error)
{
    Timer1.setEnabled(false);
    val::global("window").call<void>("alert", game::runtimeErrorText(error));
    end();
}

void MainPage::loadForm2()
{
    if (form2Loaded_)
        return;
    form2Loaded_ = true;
    // The result window's load handler: the sentence from the score box.
    const double points = rt::leadingNumber(displays_->text(game::Display::Text5));
    setText(Form2.control("Label1"), game::resultSentence(points, rt::Precision::Double));
}

void MainPage::end()
{
    if (ended_)
        return;
    ended_ = true;
    Timer1.setEnabled(false);
    desk_.call<void>("remove");
    val closing = makeElement("p", body_, "", nullptr);
    closing.set("id", val("closed"));
    setText(closing, "Das Ringtafel-Programm ist beendet.");
    setStyle(body_, "background", "#ffffff");
    body_["dataset"].set("state", val("ended"));
    val::global("window").call<void>("close");   // only where the browser allows it
}

} // namespace web
