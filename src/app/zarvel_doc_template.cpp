#include "app/zarvel_doc_template.h"

#include "app/editor_texts.h"
#include "app/zarvel_doc.h"
#include "app/zarvel_view.h"

namespace zarvel {

ZarvelDocTemplate::ZarvelDocTemplate(wxDocManager* manager)
    : wxDocTemplate(manager, kDocumentDescription, kDocumentFilter, wxString(), kDocumentExtension,
                    kDocumentTypeName, kViewTypeName, wxCLASSINFO(ZarvelDoc),
                    wxCLASSINFO(ZarvelView)) {}

bool ZarvelDocTemplate::FileMatchesTemplate(const wxString& /*path*/) {
  return true;
}

}  // namespace zarvel
