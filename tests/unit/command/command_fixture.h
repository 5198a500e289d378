// A Form1 on fakes with what a command needs: a CAD window, an alias file
// and the marker of a running window.
#pragma once

#include <string>

#include "fakes/form_fixture.h"
#include "system/app_files.h"
#include "system/window_titles.h"

namespace zantoli::testing {

// The CAD window of the tests, a drawing open in it.
inline const std::string kCadWindow = std::string(window_titles::kCadApplication) + " - [Dibujo1]";

class CommandFixture : public FormFixture {
protected:
    CommandFixture() {
        sys.windowTitles = {"Bloc de notas", kCadWindow};
        sys.files[AppPath(app_files::kMarker)] = ":P\r\n";
        SetAliases("");
    }

    void SetAliases(const std::string& contents) { sys.files[AliasPath()] = contents; }
    std::string AliasPath() const { return AppPath(app_files::kAliases); }
    std::string ExchangePath() const { return AppPath(app_files::kExchange); }
    // The exchange file's bytes, or "<none>" when it was never written.
    std::string Exchange() const {
        const auto file = sys.files.find(ExchangePath());
        return file == sys.files.end() ? "<none>" : file->second;
    }

    std::string Resolve(const std::string& typed) {
        std::string st = typed;
        return form.VerAlias(st);
    }

    void Key(std::int16_t code) { form.texto_KeyPress(code); }
};

}  // namespace zantoli::testing
