throw new Error("this file must not run");
