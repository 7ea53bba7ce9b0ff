#pragma once
// The texts, limits and list views of the six list editors: what differs between them as
// data, so the editors and the window's Add, Edit and Delete buttons share one behaviour.
#include <QString>

class QTreeWidget;
namespace Ui {
class frmTevoHadraConfig;
}

struct ListTexts
{
    QTreeWidget *Ui::frmTevoHadraConfig::*list; // the list view the editor writes
    const char *addCaption;
    const char *editCaption;
    const char *duplicateQuestion;
    const char *deleteQuestion;
    int limit;              // most rows the list may hold; 0 for no limit
    const char *limitWord;  // follows the number in the limit message
    const char *limitTitle; // title of the limit message
};

extern const ListTexts kRouteTexts;
extern const ListTexts kDhcpServerTexts;
extern const ListTexts kDnsServerTexts;
extern const ListTexts kCommunityTexts;
extern const ListTexts kTrapServerTexts;
extern const ListTexts kStationTexts;

// "You may only define a maximum of 5 DNS Servers" and its kind.
QString limitMessage(const ListTexts &texts);
