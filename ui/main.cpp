#include "platform/ui/native_backend.h"
#include "ui/Unit1.h"

int main() {
    auto backend = components::CreateNativeBackend();
    components::Application application(*backend);
    components::TheApplication = &application;

    application.Initialize();
    application.Title = "Trasolin";
    application.CreateForm(Form1);
    application.Run();

    Form1.reset(); // the window goes before the backend that made it
    components::TheApplication = nullptr;
    return 0;
}
