// Anchors the resource library; its content is the embedded files.
