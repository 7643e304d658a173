// Corvane: one window for exploring a stochastic model of reaction times under inhibition.
#include "app/application.h"
#include "mainwindow/main_form.h"

int main(int argc, char** argv) {
  return corvane::RunApplication(argc, argv, [] {
    auto form = std::make_unique<corvane::TForm1>();
    corvane::TForm1* window = form.get();
    return corvane::TMainFormParts{std::move(form), [window] { window->FormCreate(); }};
  });
}
