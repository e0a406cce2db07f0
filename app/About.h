#pragma once
// The "About" window: the program's version and a link to the maker's home page. A click on the
// link opens it in the browser and closes the window; a click anywhere else closes it too.

#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

class TFormAbout : public TForm {
  TAVREN_CLASS(TFormAbout, TForm)
 public:
  using TForm::TForm;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* lblHome = nullptr;

  void FormCreate(TObject* Sender);
  void FormClick(TObject* Sender);
  void lblHomeClick(TObject* Sender);
};

void AboutStart();
