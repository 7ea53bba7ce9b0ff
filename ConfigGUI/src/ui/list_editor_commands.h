#pragma once
// The Add, Edit and Delete buttons beside the window's lists: Add checks the list's limit
// (and the one-remote-unit rule of a station) and opens the list's editor; Edit opens it on
// the selected row; Delete asks and removes the selected row. Edit and Delete do nothing on
// an empty list. The OSPF area buttons open their dialog.
class frmTevoHadraConfig;

void connectListEditors(frmTevoHadraConfig &w);
